#!/usr/bin/env bash
# The Wine half of the benchmarks: the real add-ins (win64 build) in the
# Windows test host, timed by the host itself (bench/wine/*.hs use hostsim's
# `bench` commands). Prints the Wine section of bench/REPORT.md as Markdown
# on standard output; progress goes to standard error, the raw output of
# each run to build/bench-wine.
#   bench/wine.sh          (called by bench/run.sh)
# Needs the win64 preset built (cmake --build --preset win64).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
. tests/e2e/wine_env.sh

arch=win64
sheet_version=14.0
slide_version=12.0
soak_seconds=${BRELM_SOAK_SECONDS:-300}  # per host
out=$root/build/bench-wine
hostsim=$root/build/$arch/tools/hostsim/hostsim.exe
sheet=$(find_dll "$arch" BrelmSheet.dll)
slide=$(find_dll "$arch" BrelmSlide.dll)
if [ ! -f "$hostsim" ] || [ -z "$sheet" ] || [ -z "$slide" ]; then
  wine_log "bench/wine.sh: build the $arch preset first"
  exit 1
fi

# A display of our own, whatever DISPLAY says.
unset DISPLAY
export BRELM_DISPLAY=${BRELM_DISPLAY:-:94}
ensure_display
trap stop_display EXIT
ensure_prefix "$arch"
regsvr "$arch" "$sheet" /u
regsvr "$arch" "$slide" /u
regsvr "$arch" "$sheet"
regsvr "$arch" "$slide"
rm -rf "$out" && mkdir -p "$out"

version_of() { [ "$1" = sheet ] && echo "$sheet_version" || echo "$slide_version"; }

# run SCRIPT HOST [TIMEOUT [VERSION [TAG]]]: the bench lines of one run of the
# current prefix's hostsim, tagged host=TAG (HOST by default).
run() {
  local script=bench/wine/$1.hs host=$2 limit=${3:-600} version=${4:-$(version_of "$2")} tag=${5:-$2}
  local log=$out/$1-${tag//\//-}.txt start=$SECONDS
  wine "$hostsim" --host "$host" --version "$version" --script "$root/$script" \
    --screenshot "$out" --timeout "$limit" >"$log" 2>&1
  local code=$?
  wine_log "$1 ($tag): exit $code, $((SECONDS - start)) s"
  sed -n "s|^bench: \([a-z]*\) |\1 host=$tag |p" "$log" | tr -d '\r' >>"$out/results.txt"
  return 0
}

for host in sheet slide; do
  run tick "$host"
  run startup "$host"
done
run startup slide 600 14.0 slide/14.0  # a frame per document
# The spreadsheet host with a frame per workbook: the tick, start-up with 50
# frames, and switching between frames.
run tick_frames sheet 600 16.0 sheet/16.0
run startup sheet 600 16.0 sheet/16.0
run switch sheet 600 16.0 sheet/16.0
run idle_cpu slide
for host in sheet slide; do run soak "$host" "$soak_seconds"; done
wineserver -k 2>/dev/null || true

# The same tick and start-up figures for the 32-bit build, when it is built.
hostsim=$root/build/win32/tools/hostsim/hostsim.exe
sheet=$(find_dll win32 BrelmSheet.dll)
slide=$(find_dll win32 BrelmSlide.dll)
if [ -f "$hostsim" ] && [ -n "$sheet" ] && [ -n "$slide" ]; then
  ensure_prefix win32
  for dll in "$sheet" "$slide"; do regsvr win32 "$dll" /u; regsvr win32 "$dll"; done
  for host in sheet slide; do
    run tick "$host" 600 "" "$host/x86"
    run startup "$host" 600 "" "$host/x86"
  done
  wineserver -k 2>/dev/null || true
fi

bench/wine_report.sh "$out/results.txt" "$arch" "$sheet_version" "$slide_version"
