# find_package(quorlink): the imported target quorlink::quorlink, the clock link library with its
# header quorlink.h.
include(${CMAKE_CURRENT_LIST_DIR}/quorlinkTargets.cmake)
