#!/usr/bin/env bash
# Takes the README's picture of the main window, docs/main-window.png: the program on a first start
# on a virtual X display (Xvfb), its window captured with xwd and turned into PNG.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh xvfb x11-apps netpbm
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORKVT_SANITIZE= >/dev/null
cmake --build build --target QuorKVT

home=$(mktemp -d)
trap 'kill "${program:-}" "${display:-}" 2>/dev/null || true; rm -rf "$home"' EXIT
Xvfb :97 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
display=$!
sleep 1
DISPLAY=:97 XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home" \
  build/bin/QuorKVT >/dev/null 2>&1 &
program=$!
sleep 3
mkdir -p docs
DISPLAY=:97 xwd -silent -name "QuorKVT              V 10.2.1" | xwdtopnm 2>/dev/null | pnmtopng >docs/main-window.png
echo "docs/main-window.png"
