# Cross build for 32-bit Windows with Debian's MinGW-w64: the drop-in quorlink.dll of the existing
# hosts.
#     cmake -S . -B build/mingw32 -G Ninja --toolchain cmake/toolchains/mingw-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR x86)
set(triplet i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
