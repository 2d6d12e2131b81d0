# The sources of the clock's records and of how a clock's answers turn into them: plain code that
# the library, the clock simulator and the fuzz targets share.
set(QUORLINK_RECORD_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/src/clock_replies.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/data_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/liberation_points.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/race_data_set.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/record_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/tolvex_frame.cpp)
