#!/usr/bin/env bash
# Builds everything with warnings as errors under AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs the whole test suite; a CUPS print server with a PDF queue is set up for the printing
# tests. Then the Debian packages, checked from a scratch root; the link library's tests under
# ThreadSanitizer, quorlink.dll for Windows with its tests under Wine, and the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/print-server.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORKVT_WERROR=ON \
      -DQUORKVT_SANITIZE=address,undefined >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"

# The Debian packages, built, unpacked into a scratch root and used from there; lintian on them.
scripts/check-packages.sh

# The link library's threads once more, under ThreadSanitizer, in a build of their own.
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORKVT_WERROR=ON \
      -DQUORKVT_SANITIZE=thread >/dev/null
cmake --build build/tsan --target quorlink_tests c_host c_protocol_host c_unload_host quorlink \
      quorclock
ctest --test-dir build/tsan --output-on-failure -L link

# quorlink.dll for Windows hosts, built with MinGW-w64: the 32-bit drop-in with its tests under
# Wine (the C hosts against the native quorclock, the unload test, the core's tests,
# quorkvt-convert.exe against the native program), and the 64-bit one, whose export table is
# checked. Each build runs Wine in a prefix of its own, below the build folder.
cmake -S . -B build/mingw32 -G Ninja --toolchain cmake/toolchains/mingw-i686.cmake \
      -DQUORKVT_NATIVE_BIN="$PWD/build/bin" >/dev/null
cmake --build build/mingw32
ctest --test-dir build/mingw32 --output-on-failure -L wine
cmake -S . -B build/mingw64 -G Ninja --toolchain cmake/toolchains/mingw-x86_64.cmake \
      -DQUORKVT_NATIVE_BIN="$PWD/build/bin" >/dev/null
cmake --build build/mingw64 --target quorlink
ctest --test-dir build/mingw64 --output-on-failure -R QuorlinkDll.Exports

# The fuzz targets, built with clang, each run briefly from its seeds: what a clock may answer
# must never crash the library.
CC=clang CXX=clang++ cmake -S link/fuzz -B build/fuzz -G Ninja >/dev/null
cmake --build build/fuzz
for target in fuzz_race_data_set fuzz_quor_replies fuzz_tolvex_replies; do
  if ! output=$(build/fuzz/$target -max_total_time=15 -max_len=65536 -artifact_prefix=build/fuzz/ \
                  "build/fuzz/corpus/$target" "link/fuzz/seeds/$target" 2>&1); then
    echo "$output" >&2
    exit 1
  fi
  echo "$target: ${output##*$'\n'}"
done
