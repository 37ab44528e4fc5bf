#!/usr/bin/env bash
# Builds the per-user installers, one per Office bitness, from the DLLs and
# brelm-check.exe of the win64 and win32 presets, and puts brelm-check of each
# architecture beside them for users who want it without installing:
#   build/dist/Brelm-<version>-x64.msi, Brelm-<version>-x86.msi,
#   brelm-check-<version>-x64.exe, brelm-check-<version>-x86.exe, SHA256SUMS
#
# Usage: packaging/build.sh [--out DIR] [--version X.Y.Z] [--dlls ARCH=DIR]...
#                           [--check]
#   --out DIR        where the packages go (default build/dist)
#   --version X.Y.Z  package version (default: the project version in
#                    CMakeLists.txt); the tests use it to make an older package
#   --dlls ARCH=DIR  take BrelmSheet.dll, BrelmSlide.dll and brelm-check.exe for
#                    ARCH (x64 or x86) from DIR instead of the preset's build tree
#   --check          only say (by exit status) whether both packages can be built
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

addins=(BrelmSheet BrelmSlide)
declare -A preset=([x64]=win64 [x86]=win32)
declare -A dll_dir=()
out="$root/build/dist"
version=""
check_only=0

die() { printf 'packaging: %s\n' "$*" >&2; exit 1; }

while [ $# -gt 0 ]; do
  case "$1" in
    --out) out=$(realpath -m "$2"); shift 2 ;;
    --version) version=$2; shift 2 ;;
    --dlls) dll_dir[${2%%=*}]=$(realpath -m "${2#*=}"); shift 2 ;;
    --check) check_only=1; shift ;;
    *) die "unknown argument: $1" ;;
  esac
done

project_version() {
  sed -n 's/^project(Brelm VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt
}

# Windows Installer compares major.minor.build, each with its own limit.
check_version() {
  local v=$1 major minor build
  [[ $v =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] || die "version '$v' is not X.Y.Z"
  major=${BASH_REMATCH[1]} minor=${BASH_REMATCH[2]} build=${BASH_REMATCH[3]}
  ((10#$major <= 255 && 10#$minor <= 255 && 10#$build <= 65535)) ||
    die "version '$v' is beyond what Windows Installer can compare"
}

# brelm-check.exe of an architecture, or nothing.
find_checker() {  # arch
  local exe
  if [ -n "${dll_dir[$1]:-}" ]; then exe=${dll_dir[$1]}/brelm-check.exe
  else exe=$root/build/${preset[$1]}/tools/brelm-check/brelm-check.exe; fi
  if [ -f "$exe" ]; then printf '%s\n' "$exe"; fi
}

# The directory holding both DLLs of an architecture, or nothing.
find_dlls() {  # arch
  local arch=$1 dir
  if [ -n "${dll_dir[$arch]:-}" ]; then
    dir=${dll_dir[$arch]}
  else
    local first
    first=$(find "build/${preset[$arch]}" -name "${addins[0]}.dll" -not -path '*/CMakeFiles/*' \
      2>/dev/null | head -n 1)
    [ -n "$first" ] || return 0
    dir=$(dirname "$(realpath "$first")")
  fi
  for name in "${addins[@]}"; do [ -f "$dir/$name.dll" ] || return 0; done
  printf '%s\n' "$dir"
}

# A product code of its own for every version and architecture, the same on
# every build of it: a rebuilt package of one version is the same product, and
# any other version is a different one that the major upgrade replaces.
product_code() {  # arch version
  local h
  h=$(printf 'Brelm/%s/%s' "$1" "$2" | sha1sum)
  h=${h:0:32}
  # Name-based UUID layout: version nibble 5, variant bits 10.
  h=${h:0:12}5${h:13:3}$(printf '%x' $(((16#${h:16:1} & 3) | 8)))${h:17:15}
  printf '%s-%s-%s-%s-%s\n' "${h:0:8}" "${h:8:4}" "${h:12:4}" "${h:16:4}" "${h:20:12}" |
    tr a-f A-F
}

build_package() {  # arch version stage
  local arch=$1 version=$2 stage=$3 src
  src=$(find_dlls "$arch")
  # wixl resolves sources relative to the working directory only, so the DLLs
  # are staged next to where it runs.
  rm -rf "${stage:?}/$arch"
  mkdir -p "$stage/$arch"
  for name in "${addins[@]}"; do cp "$src/$name.dll" "$stage/$arch/"; done
  cp "$(find_checker "$arch")" "$stage/$arch/brelm-check.exe"
  local msi="$out/Brelm-$version-$arch.msi"
  rm -f "$msi"
  (cd "$stage" && wixl -a "$arch" -D Arch="$arch" -D Version="$version" \
    -D ProductCode="$(product_code "$arch" "$version")" -D DllDir="$arch" \
    -o "$msi" "$root/packaging/brelm.wxs")
  printf 'packaging: %s\n' "${msi#"$root"/}" >&2
  cp "$stage/$arch/brelm-check.exe" "$out/brelm-check-$version-$arch.exe"
}

missing=()
for arch in x64 x86; do
  [ -n "$(find_dlls "$arch")" ] && [ -n "$(find_checker "$arch")" ] || missing+=("$arch")
done
if [ $check_only -eq 1 ]; then
  [ ${#missing[@]} -eq 0 ] && command -v wixl >/dev/null
  exit
fi
[ ${#missing[@]} -eq 0 ] ||
  die "no DLLs or brelm-check.exe for ${missing[*]}: build the presets first (./brelm package)"
command -v wixl >/dev/null || die "wixl is missing: scripts/deps.sh package"

[ -n "$version" ] || version=$(project_version)
check_version "$version"
mkdir -p "$out"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
packages=()
for arch in x64 x86; do
  build_package "$arch" "$version" "$stage"
  packages+=("Brelm-$version-$arch.msi" "brelm-check-$version-$arch.exe")
done
(cd "$out" && sha256sum "${packages[@]}" >SHA256SUMS)
