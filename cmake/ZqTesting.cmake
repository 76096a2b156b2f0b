# zq_add_gtest(NAME SOURCES src... [LIBS lib...] [ENV VAR=value...])
# One GoogleTest binary, registered with CTest test by test.
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

# Helpers every test binary may use (testing/include/zqtest: scratch folders, drives, ...).
add_library(zqtest_support INTERFACE)
target_include_directories(zqtest_support INTERFACE "${CMAKE_SOURCE_DIR}/testing/include")

function(zq_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main zqtest_support ${ARG_LIBS})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_LIST ${name}_TESTS)
  # Discovery flattens list-valued properties, so the environment is set by a script that
  # CTest runs after the discovered tests are defined.
  set(env_script "${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake")
  file(WRITE "${env_script}"
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[QT_QPA_PLATFORM=offscreen;${ARG_ENV}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${env_script}")
endfunction()

# zq_add_desktop_test(NAME SCRIPT file.py [ARGS arg...] [WINDOW_MANAGER] [SCREEN WxH])
# A Python script that drives the real orvid in an X session of its own (testing/desktop: its
# usage is at the top of orvid_desktop.py), labelled "desktop"; its PNGs go under grabs/.
find_program(ZQ_DESKTOP_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
function(zq_add_desktop_test name)
  cmake_parse_arguments(ARG "WINDOW_MANAGER" "SCRIPT;SCREEN" "ARGS" ${ARGN})
  set(session "${CMAKE_SOURCE_DIR}/testing/desktop")
  set(options)
  if(ARG_WINDOW_MANAGER)
    list(APPEND options --window-manager)
  endif()
  if(ARG_SCREEN)
    list(APPEND options --screen ${ARG_SCREEN})
  endif()
  add_test(NAME ${name}
    COMMAND bash ${session}/desktop-session.sh ${options} -- ${ZQ_DESKTOP_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_SCRIPT} ${ARG_ARGS})
  # A sanitizer build reports leaks at exit; those of the desktop's libraries are not ours.
  set_tests_properties(${name} PROPERTIES LABELS desktop TIMEOUT 180 ENVIRONMENT
    "PYTHONPATH=${session};ORVID_FOLDER=${CMAKE_BINARY_DIR}/Orvid;ZQ_GRAB_DIR=${CMAKE_CURRENT_BINARY_DIR}/grabs;LSAN_OPTIONS=suppressions=${session}/lsan.supp:print_suppressions=0")
endfunction()

# zq_add_fuzzer(NAME SOURCES src... [LIBS lib...] [DICT file] [SEEDS folder]): a libFuzzer
# target (clang, -DZQ_FUZZ=ON), collected into ${CMAKE_BINARY_DIR}/fuzz/ so scripts/fuzz.sh finds
# every one. A dictionary goes to fuzz-dicts/NAME.dict, the files of a seed folder to
# fuzz-seeds/NAME/, where scripts/fuzz-seeds.sh adds the seeds it makes at fuzz time.
function(zq_add_fuzzer name)
  if(NOT ZQ_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "DICT;SEEDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(fuzzers ${name})
  if(ARG_DICT)
    configure_file(${ARG_DICT} ${CMAKE_BINARY_DIR}/fuzz-dicts/${name}.dict COPYONLY)
  endif()
  if(ARG_SEEDS)
    file(GLOB seeds CONFIGURE_DEPENDS ${ARG_SEEDS}/*)
    foreach(seed IN LISTS seeds)
      get_filename_component(seedName ${seed} NAME)
      configure_file(${seed} ${CMAKE_BINARY_DIR}/fuzz-seeds/${name}/${seedName} COPYONLY)
    endforeach()
  endif()
endfunction()
