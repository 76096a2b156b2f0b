# zq_add_gtest(NAME SOURCES src... [LIBS lib...] [ENV VAR=value...])
# One GoogleTest binary, registered with CTest test by test.
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

function(zq_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main ${ARG_LIBS})
  # The environment list must reach the test property as one value.
  string(REPLACE ";" "\\;" env "QT_QPA_PLATFORM=offscreen;${ARG_ENV}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "${env}")
endfunction()

# zq_add_fuzzer(NAME SOURCES src... [LIBS lib...]): a libFuzzer target (clang, -DZQ_FUZZ=ON),
# collected into ${CMAKE_BINARY_DIR}/fuzz/ so scripts/fuzz.sh finds every one.
function(zq_add_fuzzer name)
  if(NOT ZQ_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(fuzzers ${name})
endfunction()
