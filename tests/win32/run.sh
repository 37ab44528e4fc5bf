#!/usr/bin/env bash
# The Windows tests under Wine, x64 in a 64-bit prefix and x86 in a 32-bit one:
#  1. registration through regsvr32, per-user (/n /i:user) and machine-wide:
#     the registry gains exactly the expected keys and values, and after
#     unregistering it is as it was before;
#  2. the GoogleTest program (tests/win32), with the libraries registered.
# Prefixes are made once under build/wine/ and kept. Needs a cross build of
# the presets win64 and win32 first.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
export WINEDEBUG=-all
export DISPLAY=${BRELM_DISPLAY:-:91}
work=$root/build/wine
mkdir -p "$work"

log() { printf '== %s\n' "$*" >&2; }
failures=0
fail() {
  printf 'FAIL: %s\n' "$*" >&2
  failures=$((failures + 1))
}

xvfb_pid=""
wine_prefixes=()
cleanup() {
  for p in "${wine_prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

start_display() {
  if xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then return; fi
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && return
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  exit 1
}

# make_prefix DIR ARCH: a Wine prefix, created once.
make_prefix() {
  local dir=$1 arch=$2
  if [ ! -f "$dir/.brelm-ready" ]; then
    log "creating the $arch Wine prefix (once)"
    rm -rf "$dir"
    # No .NET or HTML engine is needed: skip the offer to install them.
    WINEPREFIX=$dir WINEARCH=$arch WINEDLLOVERRIDES='mscoree=;mshtml=' wineboot -i >/dev/null 2>&1
    # No window manager on Xvfb: unmanaged windows hide without stalling.
    WINEPREFIX=$dir wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    WINEPREFIX=$dir wineserver -w
    touch "$dir/.brelm-ready"
  fi
}

# snapshot NAME: the HKLM and HKCU software trees, one line per key and per
# value, each line naming its key. Wine's own run-time settings under
# HKCU\Software\Wine change as programs run and are left out.
snapshot() {
  local name=$1 view=()
  [ "$arch" = win64 ] && view=(/reg:64)
  local out=$work/$arch-$name.flat
  : >"$out"
  for root_key in 'HKLM\Software' 'HKCU\Software'; do
    local file=$work/$arch-export.reg
    wine reg export "$root_key" "$(winepath -w "$file")" /y "${view[@]}" >/dev/null 2>&1 ||
      { echo "reg export $root_key failed" >&2; exit 1; }
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' |
      awk '/^\[/ { key = $0; print key; next } /^$/ || /^Windows Registry/ { next } { print key "\t" $0 }' |
      grep -v -F '[HKEY_CURRENT_USER\Software\Wine\' >>"$out" || true
  done
  sort -o "$out" "$out"
}

# expected SCOPE: the lines registration must add, for both libraries.
expected() {
  local scope=$1 classes user_root=HKEY_CURRENT_USER machine=HKEY_LOCAL_MACHINE
  if [ "$scope" = user ]; then classes='HKEY_CURRENT_USER\Software\Classes'; else classes='HKEY_LOCAL_MACHINE\Software\Classes'; fi
  local lib progid clsid name host user_name user_desc machine_key machine_name path
  for lib in sheet slide; do
    if [ $lib = sheet ]; then
      progid=quorvanesheet.Connect clsid='{92892CAD-BEBB-4672-AB77-EB5B5CE965E3}' name=BrelmSheet host=Excel
      user_name=BrelmSheet user_desc=BrelmSheet machine_name=Brelmsheet
      machine_key="$machine\\Software\\Microsoft\\Office\\Excel\\Addins\\$progid"
    else
      progid=quorvaneslide.Connect clsid='{1D5F8DE7-8C02-47BB-8CA2-D7A7F9BFB735}' name=BrelmSlide host=PowerPoint
      user_name=Brelmslide user_desc='Brelm Slide' machine_name=Brelmslide
      machine_key="$machine\\SOFTWARE\\Microsoft\\Office\\PowerPoint\\Addins\\$progid"
    fi
    path=$(winepath -w "$dlls/$name.dll" | sed 's/\\/\\\\/g')
    local c="[$classes\\CLSID\\$clsid]"
    printf '%s\n' "$c" "$c	@=\"$name Connect\""
    c="[$classes\\CLSID\\$clsid\\InprocServer32]"
    printf '%s\n' "$c" "$c	@=\"$path\"" "$c	\"ThreadingModel\"=\"Apartment\""
    c="[$classes\\CLSID\\$clsid\\ProgID]"
    printf '%s\n' "$c" "$c	@=\"$progid\""
    c="[$classes\\$progid]"
    printf '%s\n' "$c" "$c	@=\"$name Connect\""
    c="[$classes\\$progid\\CLSID]"
    printf '%s\n' "$c" "$c	@=\"$clsid\""
    local office="$user_root\\Software\\Microsoft\\Office"
    printf '%s\n' "[$office\\$host]" "[$office\\$host\\Addins]"
    c="[$office\\$host\\Addins\\$progid]"
    printf '%s\n' "$c" "$c	\"FriendlyName\"=\"$user_name\"" "$c	\"Description\"=\"$user_desc\"" "$c	\"LoadBehavior\"=dword:00000003"
    # The machine-wide entry only machine-wide: per user, the class is the
    # user's alone.
    [ "$scope" = machine ] || continue
    printf '%s\n' "[${machine_key%\\Addins\\*}]" "[${machine_key%\\*}]"
    c="[$machine_key]"
    printf '%s\n' "$c" "$c	\"FriendlyName\"=\"$machine_name\"" "$c	\"Description\"=\"$machine_name\"" "$c	\"LoadBehavior\"=dword:00000003"
  done
  # Parent keys registration creates when they are missing.
  printf '%s\n' "[$user_root\\Software\\Microsoft\\Office]"
  [ "$scope" = machine ] && printf '%s\n' "[$machine\\Software\\Microsoft\\Office]"
  printf '%s\n' "[$classes\\CLSID]"
}

# Registry keys are case-insensitive; compare them so.
normalise() { awk -F'\t' '{ k = tolower($1); $1 = ""; print k "\t" substr($0, 2) }' | sort -u; }

regsvr() {  # ARGS... DLL
  wine regsvr32 /s "$@" || fail "regsvr32 $* failed with status $?"
}

check_scope() {
  local scope=$1 flags=()
  [ "$scope" = user ] && flags=(/n /i:user)
  log "$arch: registration, $scope"
  regsvr "${flags[@]}" "$dlls/BrelmSheet.dll"
  regsvr "${flags[@]}" "$dlls/BrelmSlide.dll"
  snapshot registered
  comm -13 "$work/$arch-before.flat" "$work/$arch-registered.flat" | normalise >"$work/$arch-added.txt"
  comm -23 "$work/$arch-before.flat" "$work/$arch-registered.flat" >"$work/$arch-removed.txt"
  # What registration must add: the record, less what was there before.
  normalise <"$work/$arch-before.flat" >"$work/$arch-before.txt"
  expected "$scope" | normalise | comm -23 - "$work/$arch-before.txt" >"$work/$arch-expected.txt"
  if ! diff -u "$work/$arch-expected.txt" "$work/$arch-added.txt" >"$work/$arch-$scope.diff"; then
    fail "$arch $scope registration: the registry differs from the registration record:"
    cat "$work/$arch-$scope.diff" >&2
  fi
  [ -s "$work/$arch-removed.txt" ] && { fail "$arch $scope registration removed keys:"; cat "$work/$arch-removed.txt" >&2; }
  if [ "$scope" = machine ]; then
    log "$arch: Windows test program"
    wine "$tests" || fail "$arch: the Windows test program failed"
  fi
  regsvr /u "${flags[@]}" "$dlls/BrelmSheet.dll"
  regsvr /u "${flags[@]}" "$dlls/BrelmSlide.dll"
  snapshot unregistered
  if ! diff -u "$work/$arch-before.flat" "$work/$arch-unregistered.flat" >"$work/$arch-$scope-left.diff"; then
    fail "$arch $scope unregistration left keys behind:"
    cat "$work/$arch-$scope-left.diff" >&2
  fi
}

start_display
for arch in win64 win32; do
  prefix=$work/$arch
  dlls=$root/build/$arch/src/win32
  tests=$root/build/$arch/tests/win32/brelm_win32_tests.exe
  for f in "$dlls/BrelmSheet.dll" "$dlls/BrelmSlide.dll" "$tests"; do
    [ -f "$f" ] || { echo "missing $f: run the $arch cross build first" >&2; exit 1; }
  done
  make_prefix "$prefix" "$arch"
  export WINEPREFIX=$prefix
  wine_prefixes+=("$prefix")
  # The tests are written for a 96 dpi screen; an end-to-end run of the same
  # prefix may have left it at another (Wine then rewrites its font keys, so
  # this comes before the registry is looked at).
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  wineserver -w
  # Start from a clean slate should an earlier run have stopped half-way.
  wine regsvr32 /s /u /n /i:user "$dlls/BrelmSheet.dll" >/dev/null 2>&1 || true
  wine regsvr32 /s /u /n /i:user "$dlls/BrelmSlide.dll" >/dev/null 2>&1 || true
  wine regsvr32 /s /u "$dlls/BrelmSheet.dll" >/dev/null 2>&1 || true
  wine regsvr32 /s /u "$dlls/BrelmSlide.dll" >/dev/null 2>&1 || true
  snapshot before
  check_scope user
  check_scope machine
  wineserver -w
done

if [ $failures -ne 0 ]; then
  echo "Windows tests: $failures failure(s)" >&2
  exit 1
fi
log "Windows tests passed (x64 and x86)"
