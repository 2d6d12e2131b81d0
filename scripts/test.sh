#!/usr/bin/env bash
# Builds everything with warnings as errors under AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs the whole test suite; a CUPS print server with a PDF queue is set up for the printing
# tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/print-server.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORKVT_WERROR=ON \
      -DQUORKVT_SANITIZE=address,undefined >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"

# The link library's threads once more, under ThreadSanitizer, in a build of their own.
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORKVT_WERROR=ON \
      -DQUORKVT_SANITIZE=thread >/dev/null
cmake --build build/tsan --target quorlink_tests c_host c_protocol_host quorlink quorclock
ctest --test-dir build/tsan --output-on-failure -L link
