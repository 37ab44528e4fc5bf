#!/usr/bin/env bash
# Installs the Debian packages a build or test step needs, only those missing.
# Usage: scripts/deps.sh native|windows|wine|package ...
set -euo pipefail

native_pkgs=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev nlohmann-json3-dev libbenchmark-dev)
windows_pkgs=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools googletest)
wine_pkgs=(wine wine64 wine32:i386 fonts-wine xvfb xauth x11-utils imagemagick)
package_pkgs=(msitools wixl)

missing=()
need_i386=0
for group in "$@"; do
  declare -n list="${group}_pkgs"
  for p in "${list[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
      [[ $p == *:i386 ]] && need_i386=1
    fi
  done
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${missing[*]}" >&2
if [ $need_i386 -eq 1 ] && ! dpkg --print-foreign-architectures | grep -q i386; then
  $SUDO dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
