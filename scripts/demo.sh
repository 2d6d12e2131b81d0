#!/usr/bin/env bash
# The main job: the desktop program on a demo club (folders of its own under build/demo-club,
# never the user's), with the clock simulator on COM1 printing the demo basketing list as soon as
# the program opens the port. Without a graphical session, the conversion command does the same
# job on the demo printouts instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORKVT_SANITIZE= >/dev/null
cmake --build build

club=$PWD/build/demo-club
export XDG_CONFIG_HOME=$club/config XDG_DATA_HOME=$club/data HOME=$club/home
mkdir -p "$HOME"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No hay sesión gráfica: se convierten las impresiones de demostración con quorkvt-convert."
  root=$club/documentos
  rm -rf "$root" && mkdir -p "$root"
  for list in basketing checking; do
    file=$(build/bin/quorkvt-convert contest --list "$list" --contest 12 --licence 345 \
           --root "$root" --printed demo/printouts/$list.txt)
    printf '\n== %s\n' "$file" && cat "$file"
  done
  file=$(build/bin/quorkvt-convert pigeons --root "$root" --printed demo/printouts/archive.txt)
  printf '\n== %s\n' "$file" && cat "$file"
  exit 0
fi

documents=$(build/bin/quorkvt-demo-club "$club/documentos")
build/bin/quorclock --com 1 demo/printouts/basketing.txt &
clock=$!
trap 'kill "$clock" 2>/dev/null || true' EXIT
echo "Los archivos de la demostración se escriben en $documents"
# Printing to a file proposes quorKVT.pdf in the working folder: the demo's own.
mkdir -p "$HOME/impresos"
program=$PWD/build/bin/QuorKVT
(cd "$HOME/impresos" && "$program")
