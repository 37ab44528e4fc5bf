#!/usr/bin/env bash
# End-to-end tests: hostsim loads the add-ins through their registration
# under Wine (64-bit and 32-bit), drives them with real mouse input and reads
# the tabs back through accessibility.
#
#   tests/e2e/run.sh [SCRIPT...]      default: every tests/e2e/*.hs
#
# A script says where it runs with a line `# run: sheet 12.0 14.0; slide 12.0 14.0`
# (that is the default) and may add `# arch: win64` to skip the 32-bit run,
# `# dpi: 120` for another screen resolution (96 otherwise; several values run
# the script once at each) and `# options: --border 8` for more of hostsim's
# options.
# tests/e2e/hostsim/*.hs check hostsim itself with its test add-in.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
. tests/e2e/wine_env.sh

out=$root/build/e2e
failures=()
runs=0

targets_of() {  # SCRIPT -> lines "host version"
  local line
  line=$(sed -n 's/^# run: *//p' "$1" | head -n 1)
  [ -n "$line" ] || line="sheet 12.0 14.0; slide 12.0 14.0"
  tr ';' '\n' <<<"$line" | while read -r host versions; do
    for v in $versions; do echo "$host $v"; done
  done
}

dpis_of() {  # SCRIPT -> the screen resolutions (dots per inch) it runs at
  local line
  line=$(sed -n 's/^# dpi: *//p' "$1" | head -n 1)
  echo "${line:-96}"
}

options_of() {  # SCRIPT -> more options for hostsim
  sed -n 's/^# options: *//p' "$1" | head -n 1
}

arches_of() {  # SCRIPT -> the architectures it runs on
  local line
  line=$(sed -n 's/^# arch: *//p' "$1" | head -n 1)
  echo "${line:-win64 win32}"
}

run_one() {  # ARCH SCRIPT HOST VERSION DPI NAME
  local arch=$1 script=$2 host=$3 version=$4 dpi=$5 name=$6
  local dir=$out/$arch/$name
  local -a options
  read -r -a options <<<"$(options_of "$script")"
  rm -rf "$dir" && mkdir -p "$dir"
  runs=$((runs + 1))
  local start=$SECONDS
  if wine "$hostsim" --host "$host" --version "$version" --dpi "$dpi" "${options[@]}" --script "$script" \
       --screenshot "$dir" --timeout 600 >"$dir/output.txt" 2>&1; then
    printf '  ok   %-40s %3ss\n' "$arch $name" $((SECONDS - start)) >&2
  else
    printf '  FAIL %-40s %3ss\n' "$arch $name" $((SECONDS - start)) >&2
    grep -A12 -E '^FAILED|^hostsim: (line|timed|cannot)' "$dir/output.txt" | sed 's/^/       /' >&2
    failures+=("$arch $name")
  fi
}

run_suite() {  # ARCH SCRIPT...
  local arch=$1 script
  shift
  for script in "$@"; do
    [[ " $(arches_of "$script") " == *" $arch "* ]] || continue
    local -a dpis
    read -r -a dpis <<<"$(dpis_of "$script")"
    while read -r host version; do
      for dpi in "${dpis[@]}"; do
        local name
        name=$(basename "$script" .hs)-$host-$version
        [ ${#dpis[@]} -gt 1 ] && name=$name-${dpi}dpi
        run_one "$arch" "$script" "$host" "$version" "$dpi" "$name"
      done
    done < <(targets_of "$script")
  done
}

# Only one set of add-ins may be registered at a time.
unregister_all() {  # ARCH
  regsvr "$1" "$testaddin" /u
  regsvr "$1" "$testaddin" /u /n /i:user
  regsvr "$1" "$sheet" /u
  regsvr "$1" "$slide" /u
}

run_arch() {  # ARCH
  local arch=$1
  hostsim=$root/build/$arch/tools/hostsim/hostsim.exe
  testaddin=$(find_dll "$arch" HostSimTestAddin.dll)
  sheet=$(find_dll "$arch" BrelmSheet.dll)
  slide=$(find_dll "$arch" BrelmSlide.dll)
  if [ ! -f "$hostsim" ]; then
    wine_log "no hostsim for $arch: build the $arch preset first"
    failures+=("$arch build")
    return
  fi
  ensure_prefix "$arch"
  wine_log "hostsim self-test ($arch, test add-in registered per user)"
  unregister_all "$arch"
  local unit=$root/build/$arch/tools/hostsim/hostsim_tests.exe
  if [ -f "$unit" ]; then
    mkdir -p "$out/$arch"
    if wine "$unit" >"$out/$arch/hostsim_tests.txt" 2>&1; then
      printf '  ok   %-40s\n' "$arch hostsim_tests" >&2
    else
      printf '  FAIL %-40s\n' "$arch hostsim_tests" >&2
      grep -E 'Failure|FAILED|Expected|Which is|Value of' "$out/$arch/hostsim_tests.txt" | head -30 | sed 's/^/       /' >&2
      failures+=("$arch hostsim_tests")
    fi
    runs=$((runs + 1))
  fi
  regsvr "$arch" "$testaddin" /n /i:user
  run_suite "$arch" tests/e2e/hostsim/*.hs
  unregister_all "$arch"
  if [ -z "$sheet" ] || [ -z "$slide" ]; then
    wine_log "BrelmSheet.dll / BrelmSlide.dll not built for $arch: add-in suites skipped"
  elif [ ${#scripts[@]} -gt 0 ]; then
    wine_log "add-in suites ($arch)"
    regsvr "$arch" "$sheet"
    regsvr "$arch" "$slide"
    run_suite "$arch" "${scripts[@]}"
    unregister_all "$arch"
  fi
  wineserver -k 2>/dev/null || true
}

if [ $# -gt 0 ]; then scripts=("$@"); else scripts=(tests/e2e/*.hs); fi
[ -e "${scripts[0]:-}" ] || scripts=()
ensure_display
trap stop_display EXIT
for arch in win64 win32; do run_arch "$arch"; done

echo "end-to-end: $runs runs, ${#failures[@]} failed (output and screenshots in build/e2e)" >&2
[ ${#failures[@]} -eq 0 ]
