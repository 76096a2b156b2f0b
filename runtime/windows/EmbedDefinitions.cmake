# zqr_embed_texts(TARGET FUNCTION ns::Name [LIST ns::Names] FILES f...): a static library whose
# one function gives each file's text by its name without extension, the texts built in at
# build time; LIST names a second function that gives every name, in the order of FILES.
set(ZQR_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedTexts.cmake CACHE INTERNAL "")
function(zqr_embed_texts target)
  cmake_parse_arguments(ARG "" "FUNCTION;LIST" "FILES" ${ARGN})
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp)
  list(TRANSFORM ARG_FILES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE files)
  list(JOIN files "|" file_list)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DFUNCTION=${ARG_FUNCTION} -DLIST=${ARG_LIST} "-DFILES=${file_list}"
            -P ${ZQR_EMBED_SCRIPT}
    DEPENDS ${files} ${ZQR_EMBED_SCRIPT} VERBATIM)
  add_library(${target} STATIC ${out})
endfunction()

# The build tool that writes the header of named control numbers.
add_executable(zqr_control_numbers ${CMAKE_CURRENT_LIST_DIR}/generate/ControlNumbers.cpp
                                   ${CMAKE_CURRENT_LIST_DIR}/DefinitionParser.cpp ${CMAKE_CURRENT_LIST_DIR}/KeyCodes.cpp)
target_include_directories(zqr_control_numbers PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../include
                           $<TARGET_PROPERTY:zqplatform,INTERFACE_INCLUDE_DIRECTORIES>)

# zqr_embed_definitions(TARGET NAMESPACE ns HEADER path/name.h FILES f.win...): the window
# definitions built in as zqr_embed_texts does (ns::WindowText, and ns::WindowNames listing
# them), and a generated header, included as <path/name.h>, with the numbers of their named
# controls: ns::<file name>::<control name>. A definition that does not parse fails the build.
function(zqr_embed_definitions target)
  cmake_parse_arguments(ARG "" "NAMESPACE;HEADER" "FILES" ${ARGN})
  zqr_embed_texts(${target} FUNCTION ${ARG_NAMESPACE}::WindowText LIST ${ARG_NAMESPACE}::WindowNames FILES ${ARG_FILES})
  set(include_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_include)
  set(header ${include_dir}/${ARG_HEADER})
  list(TRANSFORM ARG_FILES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE files)
  add_custom_command(OUTPUT ${header}
    COMMAND zqr_control_numbers ${header} ${ARG_NAMESPACE} ${files}
    DEPENDS zqr_control_numbers ${files} VERBATIM)
  target_sources(${target} PRIVATE ${header})
  target_include_directories(${target} PUBLIC ${include_dir})
endfunction()
