#!/bin/sh
# The Windows build's quorkvt-convert.exe, run under Wine on the demo printouts, writes the same
# files, byte for byte, as the native build's quorkvt-convert.
# Usage: same_as_native.sh NATIVE_CONVERT WINE_RUN CONVERT_EXE DEMO_FOLDER SCRATCH
set -eu
native=$1 wine_run=$2 windows=$3 demo=$4 scratch=$5
rm -rf "$scratch"
mkdir -p "$scratch/native" "$scratch/windows"
for side in native windows; do
  if [ "$side" = native ]; then run="$native"; else run="$wine_run $windows"; fi
  for list in basketing checking; do
    $run contest --list "$list" --contest 12 --licence 345 --root "$scratch/$side" \
      --printed "$demo/$list.txt" >/dev/null
  done
  $run pigeons --root "$scratch/$side" --printed "$demo/archive.txt" >/dev/null
done
diff -r "$scratch/native" "$scratch/windows"
find "$scratch/windows" -type f | wc -l | xargs echo "files alike:"
