#!/usr/bin/env bash
# The main job on the demo printouts: each clock list the repository ships becomes the club's file,
# as "Leer Reloj", "Cancelar" and "Grabar Archivo" do. The files go under build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORKVT_SANITIZE= >/dev/null
cmake --build build

root=build/demo
rm -rf "$root" && mkdir -p "$root"
convert=build/bin/quorkvt-convert
for list in basketing checking; do
  file=$("$convert" contest --list "$list" --contest 12 --licence 345 --root "$root" \
         --printed demo/printouts/$list.txt)
  printf '\n== %s\n' "$file" && cat "$file"
done
file=$("$convert" pigeons --root "$root" --printed demo/printouts/archive.txt)
printf '\n== %s\n' "$file" && cat "$file"
