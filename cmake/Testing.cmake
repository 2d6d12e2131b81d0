include(GoogleTest)

# What every test runs with: the leak checker knows what system libraries keep for themselves.
set(KVT_TEST_ENVIRONMENT "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp")

# kvt_add_test(name SOURCES ... LIBS ... [LABELS ...] [OWN_MAIN]): one GoogleTest program, its
# cases registered with ctest. OWN_MAIN: the sources bring their own main.
function(kvt_add_test name)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest)
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  set(environment "${KVT_TEST_ENVIRONMENT}")
  if("program" IN_LIST ARG_LABELS)
    # Qt is built without frame pointers: the leak checker unwinds its frames the slow way, so
    # that a leak inside Qt shows, and is suppressed, by the Qt function that made it.
    string(APPEND environment ":fast_unwind_on_malloc=0")
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120 LABELS "${ARG_LABELS}" ENVIRONMENT "${environment}")
endfunction()
