#!/usr/bin/env bash
# Builds the Debian packages in a release build of their own (build/package), unpacks them into a
# scratch root and uses them from there, as a club and a host's developer would: the installed
# program starts on Qt's offscreen platform and loads the installed library from its place
# relative to the program, the installed quorkvt-convert converts the demo printouts, and a small
# C host, built against the installed header with pkg-config and with find_package(quorlink),
# runs with the installed library and reads the stock list of the installed quorclock through a
# port. Then lintian.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/package
cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DQUORKVT_TESTS=OFF -DQUORKVT_BENCHMARKS=OFF -DQUORKVT_SANITIZE= >/dev/null
cmake --build $build
rm -f $build/*.deb
(cd $build && cpack -G DEB >/dev/null)
packages=("$PWD"/$build/*.deb)
version=$(dpkg-deb -f "$build/quorkvt_"*.deb Version)

root=$PWD/$build/root
rm -rf "$root" && mkdir -p "$root"
for deb in "${packages[@]}"; do dpkg-deb -x "$deb" "$root"; done
libdir=$root/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)
library=$libdir/libquorlink.so.${version%%.*}

scratch=$(mktemp -d)
clock=
cleanup() {
  [ -n "$clock" ] && kill "$clock" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data HOME=$scratch/home
mkdir -p "$HOME"
fail() { echo "check-packages: $*" >&2; exit 1; }
# Waits up to 30 s for a command to succeed.
await() {
  for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
  return 1
}

# The program: its version, and the installed library it loads.
answer=$("$root/usr/bin/QuorKVT" --version)
[ "$answer" = "QuorKVT $version"$'\n'"quorlink $version $library" ] ||
  fail "QuorKVT --version said: $answer"
# Its start on the offscreen platform, until it has made the club's databases.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/QuorKVT" >"$scratch/program.log" 2>&1 &
program=$!
databases_made() { [ -s "$XDG_DATA_HOME/QuorKVT/Datos/config.db" ] &&
                   [ -s "$XDG_DATA_HOME/QuorKVT/Datos/pal.db" ] && kill -0 "$program"; }
await databases_made ||
  { cat "$scratch/program.log" >&2; fail "the installed program did not start"; }
kill "$program" && wait "$program" 2>/dev/null || true
echo "The installed program starts and loads $library"

# The conversion command on the installed demo printouts: the same files as the build's own.
[ "$("$root/usr/bin/quorkvt-convert" --version)" = "quorkvt-convert $version" ] ||
  fail "quorkvt-convert --version"
[ "$("$root/usr/bin/quorclock" --version)" = "quorclock $version" ] || fail "quorclock --version"
demo=$root/usr/share/quorkvt/demo/printouts
convert_demo() {  # convert_demo PROGRAM ROOT
  mkdir -p "$2"
  for list in basketing checking; do
    "$1" contest --list $list --contest 12 --licence 345 --root "$2" --printed "$demo/$list.txt" \
      >/dev/null
  done
  "$1" pigeons --root "$2" --printed "$demo/archive.txt" >/dev/null
}
convert_demo "$root/usr/bin/quorkvt-convert" "$scratch/installed"
convert_demo build/bin/quorkvt-convert "$scratch/built"
diff -r "$scratch/installed" "$scratch/built" || fail "the installed quorkvt-convert differs"
echo "The installed quorkvt-convert converts the demo printouts:" \
     "$(find "$scratch/installed" -type f | wc -l) files"

# A host built against the installed header and library, reading the installed quorclock's stock
# list through a port.
"$root/usr/bin/quorclock" --com 5 --answer "$root/usr/share/quorkvt/demo/club.clock" \
  >"$scratch/clock.log" 2>&1 &
clock=$!
await grep -q "^quorclock: COM5 -> " "$scratch/clock.log" || fail "quorclock did not publish COM5"

flags=$(PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_LIBDIR=$libdir/pkgconfig \
        pkg-config --cflags --libs quorlink)
# shellcheck disable=SC2086  # the flags are words
cc -Wall -Wextra -Werror -o "$scratch/host_pkg_config" packaging/host/quorlink_host.c $flags
loaded=$(LD_LIBRARY_PATH=$libdir "$scratch/host_pkg_config" 5)
[ "$loaded" = "$library" ] || fail "the pkg-config host ran with $loaded"

cmake -S packaging/host -B "$scratch/host" -G Ninja -DCMAKE_PREFIX_PATH="$root/usr" \
      -DCMAKE_C_FLAGS="-Wall -Wextra -Werror" >/dev/null
cmake --build "$scratch/host" >/dev/null
loaded=$("$scratch/host/quorlink_host" 5)
[ "$(realpath "$loaded")" = "$(realpath "$library")" ] || fail "the CMake host ran with $loaded"
echo "Hosts built with pkg-config and with find_package(quorlink) read the clock on COM5" \
     "through $library"

# The menu entry, the AppStream data and the packages.
desktop-file-validate "$root/usr/share/applications/org.quorkvt.QuorKVT.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.quorkvt.QuorKVT.metainfo.xml" \
  >/dev/null
lintian --fail-on error "${packages[@]}"
echo "lintian: no errors in $(basename -a "${packages[@]}" | tr '\n' ' ')"
