#!/usr/bin/env bash
# Installs the Debian packages that building and testing QuorKVT need, and any further packages
# named as arguments; only the missing ones, and quietly when all are there. Run as root on
# Debian 12.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config                   # toolchain
  libcairo2-dev libfontconfig-dev libcups2-dev       # printing in the link library
  fonts-dejavu-core                                  # a monospace face to print with
  libgtest-dev libbenchmark-dev                      # tests and benchmarks
  clang libclang-rt-14-dev                           # the fuzz targets (libFuzzer)
  poppler-utils cups printer-driver-cups-pdf         # reading printed PDFs; a print server
  qt6-base-dev libqt6sql6-sqlite                     # the desktop program
  libqt6sql6-psql postgresql                         # the registers on a database server
  qt6-translations-l10n                              # Qt's own buttons and dialogs in Spanish
  mdbtools-dev                                       # Access databases brought in (libmdb)
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix  # quorlink.dll, 32- and 64-bit
  googletest                                         # its sources, built for those tests
  wine wine32:i386                                   # running the Windows builds' tests
  dpkg-dev file lintian                              # the Debian packages (cpack) and their check
  desktop-file-utils appstream                       # checking the menu entry and AppStream data
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Faltan paquetes de Debian: ${missing[*]}" >&2
  echo "Ejecute este guion como root (o instálelos con apt-get install)." >&2
  exit 1
fi
echo "Instalando paquetes de Debian: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# The 32-bit Wine runs the 32-bit DLL's tests; its packages come from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
