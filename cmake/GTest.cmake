# GoogleTest: Debian's build of it for the machine's own compiler; for a cross build (MinGW) it is
# built here from Debian's sources (the googletest package), before the project's warning flags
# apply.
if(CMAKE_CROSSCOMPILING)
  set(QUORKVT_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources for a cross build")
  if(NOT EXISTS ${QUORKVT_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${QUORKVT_GTEST_SOURCE} (Debian: googletest)")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Its build names the targets GTest::gtest and GTest::gtest_main, as the package does.
  add_subdirectory(${QUORKVT_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
