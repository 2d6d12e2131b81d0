# Cross build for 64-bit Windows with Debian's MinGW-w64, for 64-bit hosts.
#     cmake -S . -B build/mingw64 -G Ninja --toolchain cmake/toolchains/mingw-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(triplet x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
