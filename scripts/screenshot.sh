#!/usr/bin/env bash
# Takes the README's pictures in docs/: the main window, the member and contest registers, the
# capture window while a printout arrives, and the contest reading screen with its pigeons, on a
# virtual X display (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh xvfb
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORKVT_SANITIZE= >/dev/null
cmake --build build --target quorkvt-screenshots

Xvfb :97 -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
display=$!
trap 'kill "$display" 2>/dev/null || true' EXIT
sleep 1
mkdir -p docs
DISPLAY=:97 build/bin/quorkvt-screenshots docs 2>/dev/null
ls docs/*.png
