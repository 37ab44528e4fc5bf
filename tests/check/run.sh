#!/usr/bin/env bash
# brelm-check against hostsim under Wine: hostsim runs as an out-of-process
# automation server for its own test classes (HostSim.SheetApplication,
# HostSim.SlideApplication), registered only in this script's Wine prefixes,
# and brelm-check drives it through them as it drives the real hosts.
#
#   tests/check/run.sh [win64|win32 ...]     default: both
#
# For each architecture: brelm-check's own tests; every host at 16.0, 14.0
# and 12.0 with every check holding, every end-to-end script it carries run
# (or said to be for other hosts) and the measurements reported (with a few
# open/close cycles, not the users' 200); and the cases that must fail: the
# add-in not installed, the add-in not loaded at start-up, the presentation
# host already running, a host that stops answering.
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
. tests/e2e/wine_env.sh

out=$root/build/check
failures=()
runs=0
sheet_clsid='{6D1F7A30-52C4-4B8E-9A1E-3C550B7E2101}'
slide_clsid='{6D1F7A30-52C4-4B8E-9A1E-3C550B7E2102}'
progids=(--progid sheet=HostSim.SheetApplication --progid slide=HostSim.SlideApplication)
cycles=3
# The end-to-end scripts brelm-check carries, as its build lists them.
mapfile -t scenarios < <(sed -n '/^set(BRELM_CHECK_SCENARIOS/,/)/p' tools/brelm-check/CMakeLists.txt |
  sed 's/set(BRELM_CHECK_SCENARIOS//; s/)//' | tr ' ' '\n' | grep -v '^$')
# The sync suite's checks that the tabs follow the host.
sync_following='new document|saved as|closed|opened|window|the opened document'
# What a report with measurements has for each host: under Wine the host's
# GDI and USER objects are not counted, and the report must say so rather
# than give numbers.
measurement_lines=(
  '^### Measurements$'
  '^- connection, no documents open: Connect returned after [0-9.]+ ms'
  '^- connection, 20 documents open: [0-9.]+ ms until docked with all 20 tabs'
  '^- host CPU while idle, add-in connected, 20 documents open: [0-9.]+ ms of CPU per second'
  '^- host CPU while idle, add-in switched off, 20 documents open: [0-9.]+ ms of CPU per second'
  '^- host GUI objects after 3 cycles: not counted on this system$'
  "^- ok measure: $cycles open/close cycles: each tab came and went: $cycles of $cycles cycles$"
)

# Our own display, whatever DISPLAY says: other test runs share the machine.
export DISPLAY=${BRELM_DISPLAY:-:93}
xvfb_pid=""
if ! xdpyinfo >/dev/null 2>&1; then
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
prefixes=()
cleanup() {
  for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

ensure_check_prefix() {  # ARCH: a prefix of its own, made once
  local arch=$1
  export WINEPREFIX=$root/build/wine/check-$arch
  prefixes+=("$WINEPREFIX")
  if [ ! -f "$WINEPREFIX/.brelm-ready" ]; then
    wine_log "creating the $arch Wine prefix for brelm-check (once)"
    rm -rf "$WINEPREFIX"
    mkdir -p "$root/build/wine"
    WINEARCH=$arch wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.brelm-ready"
  fi
}

# register_server CLSID PROGID HOST VERSION [OPTION ...]: hostsim as the
# class's local server, with more of hostsim's options if given.
register_server() {
  local clsid=$1 progid=$2 host=$3 version=$4
  shift 4
  local exe
  exe=$(winepath -w "$hostsim")
  wine reg add "HKCR\\$progid\\CLSID" /ve /d "$clsid" /f >/dev/null 2>&1
  wine reg add "HKCR\\CLSID\\$clsid" /ve /d "$progid" /f >/dev/null 2>&1
  wine reg add "HKCR\\CLSID\\$clsid\\ProgID" /ve /d "$progid" /f >/dev/null 2>&1
  wine reg add "HKCR\\CLSID\\$clsid\\LocalServer32" /ve \
    /d "$exe --server --host $host --version $version --timeout 600${*:+ $*}" /f >/dev/null 2>&1
}

# hostsim's test add-in in the place of the spreadsheet add-in: its class
# per user under the add-in's ProgID, loaded at start-up. Its fault switch
# (below) makes a strip that stops following the host, for brelm-check to
# catch.
testaddin_clsid='{6E2B7C1A-3F4D-4B8E-9A51-2C7D8E9F0A13}'
testaddin_key='HKCU\Software\HostSim\TestAddin'
sheet_addins_key='HKCU\Software\Microsoft\Office\Excel\Addins\quorvanesheet.Connect'
register_testaddin_as_sheet() {
  local dll
  dll=$(winepath -w "$testaddin")
  wine reg add "HKCU\\Software\\Classes\\CLSID\\$testaddin_clsid\\InprocServer32" /ve /d "$dll" /f >/dev/null 2>&1
  wine reg add "HKCU\\Software\\Classes\\CLSID\\$testaddin_clsid\\InprocServer32" /v ThreadingModel /d Apartment /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Classes\quorvanesheet.Connect\CLSID' /ve /d "$testaddin_clsid" /f >/dev/null 2>&1
  wine reg add "$sheet_addins_key" /v LoadBehavior /t REG_DWORD /d 3 /f >/dev/null 2>&1
  wine reg add "$sheet_addins_key" /v Description /d 'hostsim test add-in' /f >/dev/null 2>&1
}
unregister_testaddin() {
  wine reg delete "$testaddin_key" /f >/dev/null 2>&1
  wine reg delete "$sheet_addins_key" /f >/dev/null 2>&1
  wine reg delete 'HKCU\Software\Classes\quorvanesheet.Connect' /f >/dev/null 2>&1
  wine reg delete "HKCU\\Software\\Classes\\CLSID\\$testaddin_clsid" /f >/dev/null 2>&1
}

unregister_servers() {
  wine reg delete 'HKCR\HostSim.SheetApplication' /f >/dev/null 2>&1
  wine reg delete 'HKCR\HostSim.SlideApplication' /f >/dev/null 2>&1
  wine reg delete "HKCR\\CLSID\\$sheet_clsid" /f >/dev/null 2>&1
  wine reg delete "HKCR\\CLSID\\$slide_clsid" /f >/dev/null 2>&1
}

addin_key() {  # HOST: where the registration put the add-in's LoadBehavior
  local key
  if [ "$1" = sheet ]; then key='Software\Microsoft\Office\Excel\Addins\quorvanesheet.Connect'
  else key='Software\Microsoft\Office\PowerPoint\Addins\quorvaneslide.Connect'; fi
  if wine reg query "HKCU\\$key" >/dev/null 2>&1; then echo "HKCU\\$key"; else echo "HKLM\\$key"; fi
}

addin_registered() {  # HOST
  local key
  key=$(addin_key "$1")
  wine reg query "$key" /v LoadBehavior >/dev/null 2>&1
}

# Registers both add-ins and makes sure the registry shows them (regsvr32 is
# silent here, and says nothing when it did not take).
register_addins() {
  local attempt
  for attempt in 1 2 3; do
    regsvr "$arch" "$sheet"
    regsvr "$arch" "$slide"
    addin_registered sheet && addin_registered slide && return 0
    wine_log "the add-ins' registration did not take ($arch, attempt $attempt)"
    wineserver -w
  done
  return 1
}

# Whether a hostsim server of this build and architecture runs: other test
# runs on the machine (another work tree, the other architecture) have
# servers of their own.
our_servers() {
  # Listed first: a grep running beside pgrep would be listed with them.
  local running
  running=$(pgrep -af 'hostsim\.exe --server' 2>/dev/null)
  grep -qiF -- "$hostsim_win --server" <<<"$running"
}

pass() { printf '  ok   %-44s %3ss\n' "$1" "$2" >&2; }
fail() {
  printf '  FAIL %-44s %3ss\n' "$1" "$2" >&2
  sed 's/^/       /' "$3" | tail -25 >&2
  failures+=("$1")
}

# check NAME EXPECTED_STATUS PATTERN ARGS...: runs brelm-check; the run
# passes when its status is the one expected, report.md exists and has a
# line matching PATTERN (and, for status 0, no line that is not ok).
check() {
  local name=$1 want=$2 pattern=$3
  shift 3
  local dir=$out/$arch/$name
  rm -rf "$dir" && mkdir -p "$dir"
  runs=$((runs + 1))
  local start=$SECONDS status=0
  wine "$checker" "${progids[@]}" --out "$(winepath -w "$dir")" --timeout "${check_timeout:-300}" --cycles "$cycles" "$@" \
    >"$dir/output.txt" 2>&1 || status=$?
  local why=""
  if [ "$status" != "$want" ]; then why="exit status $status, expected $want"
  elif [ ! -f "$dir/report.md" ]; then why="no report.md"
  elif ! grep -qE -- "$pattern" "$dir/report.md"; then why="report.md has no line matching: $pattern"
  elif [ "$want" = 0 ] && grep -qE '^- FAIL' "$dir/report.md"; then why="a check failed, yet status 0"
  elif [ -n "${measured_hosts:-}" ]; then
    local line script
    for line in "${measurement_lines[@]}"; do
      if [ "$(grep -cE -- "$line" "$dir/report.md")" != "$measured_hosts" ]; then
        why="report.md has not $measured_hosts lines matching: $line"
        break
      fi
    done
    # Every end-to-end script brelm-check carries ran on each host, or was
    # said to be written for other hosts.
    for script in "${scenarios[@]}"; do
      [ -n "$why" ] && break
      if [ "$(grep -cE -- "^- (ok|skip) $script\.hs: script: " "$dir/report.md")" != "$measured_hosts" ]; then
        why="report.md does not say for each host how $script.hs ran"
      fi
    done
  fi
  # Whatever happened, no hostsim is left running and no temporary folder.
  # brelm-check waits for the host to end; Wine's process may take a moment more.
  for _ in $(seq 50); do our_servers || break; sleep 0.1; done
  if our_servers && [ "${keep_running:-}" != yes ]; then
    why="${why:+$why; }a hostsim server is still running"
  fi
  local temps
  temps=$(find "$WINEPREFIX/drive_c" -maxdepth 6 -type d -name 'brelm-check-*' 2>/dev/null | head -n 1)
  [ -z "$temps" ] || why="${why:+$why; }temporary folder left: $temps"
  if [ -z "$why" ]; then pass "$arch $name" $((SECONDS - start))
  else
    echo "why: $why" >>"$dir/output.txt"
    fail "$arch $name" $((SECONDS - start)) "$dir/output.txt"
  fi
}

run_arch() {
  arch=$1
  hostsim=$root/build/$arch/tools/hostsim/hostsim.exe
  checker=$root/build/$arch/tools/brelm-check/brelm-check.exe
  local unit=$root/build/$arch/tools/brelm-check/brelm_check_tests.exe
  sheet=$(find_dll "$arch" BrelmSheet.dll)
  slide=$(find_dll "$arch" BrelmSlide.dll)
  testaddin=$(find_dll "$arch" HostSimTestAddin.dll)
  if [ ! -f "$checker" ] || [ ! -f "$hostsim" ] || [ -z "$sheet" ] || [ -z "$slide" ] || [ -z "$testaddin" ]; then
    wine_log "brelm-check, hostsim or the add-ins not built for $arch: build the $arch preset first"
    failures+=("$arch build")
    return
  fi
  ensure_check_prefix "$arch"
  hostsim_win=$(winepath -w "$hostsim")
  mkdir -p "$out/$arch"
  if [ -f "$unit" ]; then
    runs=$((runs + 1))
    local start=$SECONDS
    if wine "$unit" >"$out/$arch/brelm_check_tests.txt" 2>&1; then pass "$arch brelm_check_tests" $((SECONDS - start))
    else fail "$arch brelm_check_tests" $((SECONDS - start)) "$out/$arch/brelm_check_tests.txt"; fi
  fi
  register_addins || { failures+=("$arch registration"); return; }
  for version in 16.0 14.0 12.0; do
    register_server "$sheet_clsid" HostSim.SheetApplication sheet "$version"
    register_server "$slide_clsid" HostSim.SlideApplication slide "$version"
    measured_hosts=2 check "both-$version" 0 '^- ok sheet|^- ok click' --host both
  done
  register_server "$sheet_clsid" HostSim.SheetApplication sheet 16.0
  register_server "$slide_clsid" HostSim.SlideApplication slide 16.0

  # The add-in registered but not loaded at start-up: said so, connected for
  # the run, every other check held, and the status says a check failed.
  local key
  key=$(addin_key sheet)
  wine reg add "$key" /v LoadBehavior /t REG_DWORD /d 2 /f >/dev/null 2>&1
  check loadbehavior-2 1 '^- FAIL add-in: loads when the host starts: .*LoadBehavior 2' --host sheet --suite startup
  wine reg add "$key" /v LoadBehavior /t REG_DWORD /d 3 /f >/dev/null 2>&1

  # Not installed at all.
  regsvr "$arch" "$sheet" /u
  check not-installed 1 '^- FAIL add-in: installed: not installed' --host sheet
  register_addins || { failures+=("$arch registration"); return; }

  # A host that stops answering (hostsim's own --hang-on: the first
  # Workbooks.Add never returns): brelm-check gives up after --timeout with
  # status 3 and says so, and ends the host and removes its folder (both
  # checked by `check`).
  register_server "$sheet_clsid" HostSim.SheetApplication sheet 16.0 --hang-on Workbooks.Add
  check_timeout=40 check hang-sheet 3 'did not answer in time' --host sheet --suite startup
  register_server "$sheet_clsid" HostSim.SheetApplication sheet 16.0
  # The same while brelm-check still asks which process the host is: the
  # presentation host, one instance per user, is ended all the same.
  register_server "$slide_clsid" HostSim.SlideApplication slide 16.0 --hang-on Application.HWND
  check_timeout=20 check hang-slide-start 3 'did not answer in time .*: the host brelm-check started was ended' \
    --host slide --suite startup
  register_server "$slide_clsid" HostSim.SlideApplication slide 16.0

  # An add-in whose strip stops following the host fails the sync suite on
  # a check of following, and the same add-in without its fault passes it:
  # hostsim's test add-in in the spreadsheet add-in's place.
  regsvr "$arch" "$sheet" /u
  register_testaddin_as_sheet
  check testaddin 0 '^- ok sync: ' --host sheet --suite sync
  wine reg add "$testaddin_key" /v Fault /d stale /f >/dev/null 2>&1
  check testaddin-stale 1 "^- FAIL sync: ($sync_following)" --host sheet --suite sync
  unregister_testaddin
  register_addins || { failures+=("$arch registration"); return; }

  # The presentation host already running: refused, and left running.
  wine "$hostsim" --server --host slide --version 16.0 --open Running --timeout 120 >"$out/$arch/running-slide.txt" 2>&1 &
  local running=$!
  # Ready once its frame shows (the X window carries the frame's title).
  for _ in $(seq 300); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Running - Presentation host"' && break
    sleep 0.1
  done
  keep_running=yes check slide-running 1 'close the presentation host first' --host slide
  if kill -0 "$running" 2>/dev/null; then kill "$running" 2>/dev/null; wait "$running" 2>/dev/null
  else failures+=("$arch slide-running: the running host was ended"); fi

  regsvr "$arch" "$sheet" /u
  regsvr "$arch" "$slide" /u
  unregister_servers
  wineserver -k 2>/dev/null || true
}

arches=("$@")
[ ${#arches[@]} -gt 0 ] || arches=(win64 win32)
for a in "${arches[@]}"; do run_arch "$a"; done

echo "brelm-check: $runs runs, ${#failures[@]} failed (reports in build/check)" >&2
[ ${#failures[@]} -eq 0 ]
