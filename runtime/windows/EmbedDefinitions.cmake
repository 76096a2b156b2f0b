# zqr_embed_texts(TARGET FUNCTION ns::Name FILES f...): a static library whose one function
# gives each file's text by its name without extension, the texts built in at build time.
set(ZQR_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedTexts.cmake CACHE INTERNAL "")
function(zqr_embed_texts target)
  cmake_parse_arguments(ARG "" "FUNCTION" "FILES" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
  list(TRANSFORM ARG_FILES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE files)
  list(JOIN files "|" file_list)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DFUNCTION=${ARG_FUNCTION} "-DFILES=${file_list}" -P ${ZQR_EMBED_SCRIPT}
    DEPENDS ${files} ${ZQR_EMBED_SCRIPT} VERBATIM)
  add_library(${target} STATIC ${out})
endfunction()
