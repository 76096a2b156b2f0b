# zq_add_gtest(NAME SOURCES src... [LIBS lib...] [ENV VAR=value...] [THREADS])
# One GoogleTest binary, registered with CTest test by test. THREADS: its tests are of those
# the thread sanitizer run takes (see zq_set_test_properties).
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

# Helpers every test binary may use (testing/include/zqtest: scratch folders, drives, ...).
add_library(zqtest_support INTERFACE)
target_include_directories(zqtest_support INTERFACE "${CMAKE_SOURCE_DIR}/testing/include")

# The tests that run threads of the program, labelled "threads", which the thread sanitizer
# run (ZQ_TSAN) takes; the target threaded_tests builds their binaries. Under ZQ_TSAN every test
# reads the sanitizer's suppressions.
add_custom_target(threaded_tests)
if(ZQ_TSAN)
  set(ZQ_SANITIZER_ENV "TSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/tsan.supp")
endif()

# zq_set_test_properties(NAME LIST [ENV VAR=value...] [THREADS])
# The environment, and with THREADS the label "threads", of the tests of binary NAME that a
# discovery put into LIST. Discovery flattens list-valued properties, so they are set by a
# script that CTest runs after the discovered tests are defined.
function(zq_set_test_properties name list)
  cmake_parse_arguments(ARG "THREADS" "" "ENV" ${ARGN})
  set(env ${ARG_ENV} ${ZQ_SANITIZER_ENV})
  set(properties "ENVIRONMENT [==[${env}]==]")
  if(ARG_THREADS)
    string(APPEND properties " LABELS threads")
    add_dependencies(threaded_tests ${name})
  endif()
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${list}_properties.cmake")
  file(WRITE "${script}" "if(${list})\n  set_tests_properties(\${${list}} PROPERTIES ${properties})\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${script}")
endfunction()

function(zq_add_gtest name)
  cmake_parse_arguments(ARG "THREADS" "" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main zqtest_support ${ARG_LIBS})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_LIST ${name}_TESTS)
  set(threads)
  if(ARG_THREADS)
    set(threads THREADS)
  endif()
  zq_set_test_properties(${name} ${name}_TESTS ENV QT_QPA_PLATFORM=offscreen ${ARG_ENV} ${threads})
endfunction()

# zq_add_null_presenter_tests(NAME [THREADS])
# The tests of binary NAME once more with the null presenter, named "null:" and the test.
function(zq_add_null_presenter_tests name)
  cmake_parse_arguments(ARG "THREADS" "" "" ${ARGN})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_PREFIX "null:" TEST_LIST ${name}_null_TESTS)
  set(threads)
  if(ARG_THREADS)
    set(threads THREADS)
  endif()
  zq_set_test_properties(${name} ${name}_null_TESTS ENV ZQ_PRESENTER=null ${threads})
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
