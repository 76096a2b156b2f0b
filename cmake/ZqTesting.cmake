# zq_add_gtest(NAME SOURCES src... [LIBS lib...] [ENV VAR=value...])
# One GoogleTest binary, registered with CTest test by test.
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

function(zq_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main ${ARG_LIBS})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENV}")
endfunction()
