include(GoogleTest)

# What every test runs with: the leak checker knows what system libraries keep for themselves.
set(KVT_TEST_ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp")

if(WIN32 AND CMAKE_CROSSCOMPILING)
  # A Windows build's tests run under Wine, all under the label "wine", in a Wine prefix of the
  # build's own (never the user's), which the fixture "wine" makes before the first test.
  set(KVT_TEST_LABEL wine)
  set(QUORKVT_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE
                 @ONLY)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
  add_test(NAME Wine.PrefixOfTheBuild COMMAND ${CMAKE_BINARY_DIR}/wine-run --prepare)
  set_tests_properties(Wine.PrefixOfTheBuild PROPERTIES LABELS wine FIXTURES_SETUP wine
                                                        TIMEOUT 300)
else()
  set(KVT_TEST_LABEL link)
endif()

# kvt_add_test(name SOURCES ... LIBS ... [LABELS ...] [FIXTURES ...] [OWN_MAIN] [SERVER]): one
# GoogleTest program, its cases registered with ctest. FIXTURES: the ctest fixtures its cases need
# set up first. OWN_MAIN: the sources bring their own main. SERVER: the cases need the tests'
# database server (app/shell/tests). Under Wine the program is one test: a Wine start per case would
# cost more than the cases.
function(kvt_add_test name)
  cmake_parse_arguments(ARG "OWN_MAIN;SERVER" "" "SOURCES;LIBS;LABELS;FIXTURES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest)
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS wine FIXTURES_REQUIRED wine TIMEOUT 300)
    return()
  endif()
  set(environment "${KVT_TEST_ENVIRONMENT}")
  if("program" IN_LIST ARG_LABELS)
    # Qt is built without frame pointers: the leak checker unwinds its frames the slow way, so
    # that a leak inside Qt shows, and is suppressed, by the Qt function that made it.
    string(APPEND environment ":fast_unwind_on_malloc=0")
  endif()
  set(fixtures ${ARG_FIXTURES})
  if(ARG_SERVER)
    list(APPEND fixtures test_server)
  endif()
  if(fixtures)
    set(fixtures FIXTURES_REQUIRED "${fixtures}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120 LABELS "${ARG_LABELS}" ENVIRONMENT "${environment}" ${fixtures})
endfunction()
