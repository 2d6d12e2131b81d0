#!/usr/bin/env bash
# Builds the desktop program and starts it (it needs a graphical session).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORKVT_SANITIZE= >/dev/null
cmake --build build --target QuorKVT
exec build/bin/QuorKVT
