#!/usr/bin/env bash
# The installers under Wine. For each bitness, in a prefix of that bitness:
#   - a fresh install puts both libraries and brelm-check.exe in the user's
#     program folder, a Start-menu shortcut running brelm-check with its report
#     under Documents, and writes exactly the registration the hosts need, in
#     the right view;
#   - removing it leaves files and registry as they were before;
#   - a package of a lower version is replaced, leaving one installation, and
#     a lower one cannot replace a higher one;
#   - in the 64-bit prefix, the x64 package replaces an x86 installation;
#   - where the libraries can register themselves, the package writes the
#     same registration they do;
#   - where the test host is built, it loads both add-ins from the installed
#     package and shows their strips.
#
# Usage: tests/msi/run.sh [--dlls ARCH=DIR]...  (passed on to packaging/build.sh)
# The test host is build/win64|win32/tools/hostsim/hostsim.exe, or the file
# named by HOSTSIM_X64 / HOSTSIM_X86.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
work=$root/build/msi-test
build_args=("$@")
# Wine's menu builder copies Start-menu shortcuts into the desktop's menus:
# into folders of the test's own, not the user's.
export XDG_DATA_HOME=$root/build/msi-xdg/data XDG_CONFIG_HOME=$root/build/msi-xdg/config

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C
source tests/msi/lib.sh

passed=0 failed=0
pass() { passed=$((passed + 1)); printf '  ok    %s\n' "$*"; }
fail() { failed=$((failed + 1)); printf '  FAIL  %s\n' "$*"; }

readonly -A prefix_dir=([x64]="$root/build/msi-wine64" [x86]="$root/build/msi-wine32")
readonly -A wine_arch=([x64]=win64 [x86]=win32)
readonly -A preset=([x64]=win64 [x86]=win32)
readonly -A pe_format_of=([x64]=pei-x86-64 [x86]=pei-i386)
readonly display=${BRELM_DISPLAY:-:93}

# ---- packages --------------------------------------------------------------

new_version=$(sed -n 's/^project(Brelm VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
old_version=$(lower_version "$new_version") ||
  { echo "version $new_version has no lower one to upgrade from" >&2; exit 1; }

build_packages() {
  rm -rf "$work"
  mkdir -p "$work"
  packaging/build.sh --out "$work/new" "${build_args[@]}"
  packaging/build.sh --out "$work/old" --version "$old_version" "${build_args[@]}"
}

package() {  # new|old arch
  local v=$new_version
  [ "$1" = old ] && v=$old_version
  printf '%s/%s/Brelm-%s-%s.msi\n' "$work" "$1" "$v" "$2"
}

# ---- prefixes --------------------------------------------------------------

# Prefixes are made once and kept: a new 64-bit one takes a quarter of a minute.
open_prefix() {  # arch
  export WINEPREFIX=${prefix_dir[$1]}
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    printf '== creating %s\n' "${WINEPREFIX#"$root"/}"
    WINEARCH=${wine_arch[$1]} wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  grep -q "^#arch=${wine_arch[$1]}\$" "$WINEPREFIX/system.reg" ||
    { echo "${WINEPREFIX} is not a ${wine_arch[$1]} prefix; remove it" >&2; exit 1; }
  # Without a window manager, hiding a managed window stalls for seconds.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  reg_views=(64 32)
  [ "$1" = x86 ] && reg_views=("")
  local appdata
  appdata=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
  install_dir_win="$appdata\\Programs\\Brelm"
  install_dir=$(winepath -u "$install_dir_win" 2>/dev/null)
  install_dir=${install_dir%/}
  local start_menu
  start_menu=$(wine cmd /c 'echo %APPDATA%\Microsoft\Windows\Start Menu\Programs' 2>/dev/null | tr -d '\r')
  shortcut=$(winepath -u "$start_menu\Check Brelm in Office.lnk" 2>/dev/null)
}

close_prefix() { wineserver -w 2>/dev/null || true; }

msiexec() {  # args...; prints the exit status, never fails
  local rc=0
  wine msiexec "$@" /qn >/dev/null 2>&1 || rc=$?
  echo "$rc"
}

# ---- what an installation must look like -----------------------------------

# The registration of one add-in as a .reg export shows it, with the library at
# $2. Values fixed by the add-ins' registration record.
expected_addin() {  # name dll-windows-path
  local clsid progid class app friendly description
  case "$1" in
    BrelmSheet)
      clsid='{92892CAD-BEBB-4672-AB77-EB5B5CE965E3}' progid=quorvanesheet.Connect
      class='BrelmSheet Connect' app=Excel friendly=BrelmSheet description=BrelmSheet ;;
    BrelmSlide)
      clsid='{1D5F8DE7-8C02-47BB-8CA2-D7A7F9BFB735}' progid=quorvaneslide.Connect
      class='BrelmSlide Connect' app=PowerPoint friendly=Brelmslide description='Brelm Slide' ;;
  esac
  local hkcu='HKEY_CURRENT_USER\Software' dll=${2//\\/\\\\}
  cat <<EOF
$hkcu\\Classes\\CLSID\\$clsid|@="$class"
$hkcu\\Classes\\CLSID\\$clsid\\InprocServer32|@="$dll"
$hkcu\\Classes\\CLSID\\$clsid\\InprocServer32|"ThreadingModel"="Apartment"
$hkcu\\Classes\\CLSID\\$clsid\\ProgID|@="$progid"
$hkcu\\Classes\\$progid|@="$class"
$hkcu\\Classes\\$progid\\CLSID|@="$clsid"
$hkcu\\Microsoft\\Office\\$app\\Addins\\$progid|"FriendlyName"="$friendly"
$hkcu\\Microsoft\\Office\\$app\\Addins\\$progid|"Description"="$description"
$hkcu\\Microsoft\\Office\\$app\\Addins\\$progid|"LoadBehavior"=dword:00000003
EOF
}

expected_values() {
  {
    for name in BrelmSheet BrelmSlide; do expected_addin "$name" "$install_dir_win\\$name.dll"; done
    printf '%s|"InstallDir"="%s"\n' 'HKEY_CURRENT_USER\Software\Brelm' "${install_dir_win//\\/\\\\}\\\\"
    printf '%s|"CheckShortcut"=dword:00000001\n' 'HKEY_CURRENT_USER\Software\Brelm'
  } | sort
}

# Values written to the user's hive since the baseline, in the package's view,
# leaving out the installer's own record of what is installed.
new_user_values() {  # view
  comm -13 "$work/baseline.hkcu$1" <(user_hive "$1") |
    grep -v '^HKEY_CURRENT_USER\\Software\\Microsoft\\Installer\\' | grep -v '|$' | without_wine_menus || true
}

user_hive() {  # view
  export_flat HKCU "$1" "$work/export.reg"
}

take_baseline() {
  local view
  snapshot >"$work/baseline"
  for view in "${reg_views[@]}"; do user_hive "$view" >"$work/baseline.hkcu$view"; done
}

snapshot() {
  local view hive
  {
    for view in "${reg_views[@]}"; do
      for hive in HKCU HKLM; do
        export_flat "$hive" "$view" "$work/export.reg" | sed "s/^/$view:/"
      done
    done
    # Temporary folders belong to whoever runs the installer, not to the package.
    (cd "$WINEPREFIX/drive_c" && find . -path '*/[Tt]emp' -prune -o -print | sort | sed 's/^/file:/')
  } | without_installer_roots | without_wine_menus | sort
}

# A run stopped halfway leaves a product installed; the baseline needs none.
remove_leftovers() {  # view
  local packed
  for packed in $(user_hive "$1" | brelm_product_keys); do
    echo "removing a leftover installation $(unpack_guid "$packed")"
    msiexec /x "$(unpack_guid "$packed")" >/dev/null
  done
  if [ -n "$(installed_products "$1")" ]; then
    echo "Brelm is still installed in $WINEPREFIX; remove the prefix" >&2
    exit 1
  fi
}

# ---- checks ----------------------------------------------------------------

check_installed() {  # arch view version
  local arch=$1 view=$2 version=$3 name format
  check_products "$(installed_products "$view")" "$(product_name "$arch")" "$version"
  for name in BrelmSheet BrelmSlide; do
    format=$(pe_format "$install_dir/$name.dll")
    if ! cmp -s "$install_dir/$name.dll" "$work/new.$arch/$name.dll"; then
      fail "$name.dll not installed in ${install_dir_win} (or not the packaged file)"
    elif [ "$format" != "${pe_format_of[$arch]}" ]; then
      fail "$name.dll installed in ${install_dir_win} is $format, not ${pe_format_of[$arch]}"
    else
      pass "$name.dll ($format) installed in ${install_dir_win}"
    fi
  done
  check_checker_installed "$arch"
  local got
  got=$(new_user_values "$view")
  if [ "$got" = "$(expected_values)" ]; then
    pass "registry values written${view:+ (view $view)}"
  else
    fail "registry values written${view:+ (view $view)} differ from the expected (< expected, > got):"
    diff <(expected_values) <(echo "$got") | grep '^[<>]' | sed 's/^/        /' || true
  fi
}

# brelm-check.exe of the package's architecture, and the Start-menu shortcut
# that runs it with its report going to a folder under the user's Documents.
check_checker_installed() {  # arch
  local exe=$install_dir/brelm-check.exe format
  format=$(pe_format "$exe")
  if ! cmp -s "$exe" "$work/new.$1/brelm-check.exe"; then
    fail "brelm-check.exe not installed in ${install_dir_win} (or not the packaged file)"
  elif [ "$format" != "${pe_format_of[$1]}" ]; then
    fail "brelm-check.exe installed in ${install_dir_win} is $format, not ${pe_format_of[$1]}"
  else
    pass "brelm-check.exe ($format) installed in ${install_dir_win}"
  fi
  if [ ! -f "$shortcut" ]; then
    fail "no Start-menu shortcut $(basename "$shortcut")"
    return
  fi
  local text args
  text=$(lnk_strings "$shortcut")
  args=$(shortcut_arguments "$text")
  if ! grep -qixF "$install_dir_win\brelm-check.exe" <<<"$text"; then
    fail "the shortcut does not run ${install_dir_win}\brelm-check.exe: ${text//$'\n'/ | }"
  elif [ -z "$args" ]; then
    fail "the shortcut does not pass --out DOCUMENTS\\Brelm check report: ${text//$'\n'/ | }"
  else
    pass "Start-menu shortcut runs brelm-check.exe $args"
  fi
}

check_checker_removed() {
  if [ -e "$install_dir/brelm-check.exe" ] || [ -e "$shortcut" ]; then
    fail "brelm-check.exe or its shortcut is left after removal"
  else
    pass "brelm-check.exe and its shortcut are removed"
  fi
}

check_products() {  # listing name version
  local want got
  want="$2|$(msi_version_dword "$3")"
  got=$1
  if [ "$got" = "$want" ]; then
    pass "one installation: $2 $3"
  else
    fail "installations are [${got//$'\n'/; }], expected [$want]"
  fi
}

check_rc() {  # what rc expected
  if [ "$2" = "$3" ]; then pass "$1 (exit $2)"; else fail "$1: exit $2, expected $3"; fi
}

# A failed installation ends with 1603; a Unix exit status keeps its low byte.
check_refused() {  # what rc
  if [ "$2" = $((1603 & 255)) ]; then
    pass "$1 (exit 1603)"
  else
    fail "$1: exit $2, expected 1603 (seen as $((1603 & 255)))"
  fi
}

check_back_to_baseline() {  # what
  snapshot >"$work/now"
  if cmp -s "$work/baseline" "$work/now"; then
    pass "$1 leaves files and registry as before"
  else
    fail "$1 leaves the prefix changed (< before, > after):"
    diff "$work/baseline" "$work/now" | grep '^[<>]' | head -n 40 | sed 's/^/        /' || true
  fi
}

product_name() { [ "$1" = x64 ] && echo "Brelm for 64-bit Office" || echo "Brelm for 32-bit Office"; }

installed_products() { user_hive "$1" | product_listing; }

# ---- the test host ---------------------------------------------------------

hostsim_exe() {  # arch
  local override=HOSTSIM_${1^^}
  local exe=${!override:-$root/build/${preset[$1]}/tools/hostsim/hostsim.exe}
  if [ -f "$exe" ]; then echo "$exe"; fi
}

xvfb_pid=""
ensure_display() {
  [ -z "$xvfb_pid" ] || return 0
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  sleep 1
}

stop_display() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  xvfb_pid=""
}

# The host finds each add-in through the user's registration the package
# wrote (the per-user class points at the installed library), connects it,
# and its strip comes up with a tab for an open document.
host_loads_addins() {  # arch
  local exe host progid document rc
  exe=$(hostsim_exe "$1")
  if [ -z "$exe" ]; then
    echo "  note  no test host built for $1: not started"
    return
  fi
  ensure_display
  for host in sheet slide; do
    progid=quorvane$host.Connect document=Book1
    [ "$host" = slide ] && document=Deck1
    printf '%s\n' start \
      "expect call \"host: create per-user($progid) -> 0x00000000\"" \
      "expect call \"host: OnConnection($progid) -> 0x00000000\"" \
      "open $document" "expect strip visible" "expect tabs $document" >"$work/$host.hostsim"
    rc=0
    DISPLAY=$display timeout 180 wine "$exe" --host "$host" --script "$work/$host.hostsim" \
      --timeout 120 >"$work/hostsim.log" 2>&1 || rc=$?
    check_rc "the $host host loads $progid from the installation and shows the strip" "$rc" 0
    [ "$rc" = 0 ] || sed 's/^/        /' "$work/hostsim.log" | grep -v ':fixme:' | head -n 20
  done
}

# ---- scenarios -------------------------------------------------------------

install_and_remove() {  # arch view
  local msi
  msi=$(package new "$1")
  echo "-- install and remove $(basename "$msi")"
  check_rc "msiexec /i" "$(msiexec /i "$msi")" 0
  check_installed "$1" "$2" "$new_version"
  host_loads_addins "$1"
  check_rc "msiexec /x" "$(msiexec /x "$msi")" 0
  check_checker_removed
  check_back_to_baseline "removal"
}

upgrade() {  # arch view
  local old new
  old=$(package old "$1") new=$(package new "$1")
  echo "-- upgrade from $old_version to $new_version"
  check_rc "install $old_version" "$(msiexec /i "$old")" 0
  check_products "$(installed_products "$2")" "$(product_name "$1")" "$old_version"
  check_rc "install $new_version over it" "$(msiexec /i "$new")" 0
  check_installed "$1" "$2" "$new_version"
  check_refused "install $old_version over $new_version is refused" "$(msiexec /i "$old")"
  check_products "$(installed_products "$2")" "$(product_name "$1")" "$new_version"
  check_rc "msiexec /x" "$(msiexec /x "$new")" 0
  check_back_to_baseline "removal after the upgrade"
}

switch_bitness() {  # view
  echo "-- the x64 package replaces an x86 installation"
  check_rc "install x86" "$(msiexec /i "$(package new x86)")" 0
  check_rc "install x64 over it" "$(msiexec /i "$(package new x64)")" 0
  check_installed x64 "$1" "$new_version"
  check_rc "msiexec /x" "$(msiexec /x "$(package new x64)")" 0
  check_back_to_baseline "removal after switching"
}

# What the library writes when it registers itself for the user, with the
# library where the package puts it, must be what the package writes.
same_as_self_registration() {  # arch view
  local arch=$1 view=$2
  if ! exports_dllinstall "$work/new.$arch/BrelmSheet.dll"; then
    echo "-- self-registration comparison skipped: the libraries export no DllInstall"
    return
  fi
  echo "-- the package writes what the libraries' own per-user registration writes"
  mkdir -p "$install_dir"
  local rc=0
  for name in BrelmSheet BrelmSlide; do
    cp "$work/new.$arch/$name.dll" "$install_dir/"
    wine regsvr32 /s /n /i:user "$install_dir_win\\$name.dll" >/dev/null 2>&1 || rc=$?
  done
  check_rc "regsvr32 /n /i:user" "$rc" 0
  local got
  got=$(new_user_values "$view")
  if [ "$got" = "$(expected_values | grep -v '\\Software\\Brelm|')" ]; then
    pass "self-registration writes the same values${view:+ (view $view)}"
  else
    fail "self-registration differs from the package (< package, > library):"
    diff <(expected_values | grep -v '\\Software\\Brelm|') <(echo "$got") | grep '^[<>]' |
      sed 's/^/        /' || true
  fi
  rc=0
  for name in BrelmSheet BrelmSlide; do
    wine regsvr32 /s /u /n /i:user "$install_dir_win\\$name.dll" >/dev/null 2>&1 || rc=$?
    rm -f "$install_dir/$name.dll"
  done
  rmdir "$install_dir" "$(dirname "$install_dir")" 2>/dev/null || true
  check_rc "regsvr32 /u /n /i:user" "$rc" 0
  remove_empty_user_classes "$view"
  check_back_to_baseline "self-unregistration"
}

# The libraries keep the user's "Software\Classes" and its "CLSID" key when
# they unregister, as those always exist on Windows. A fresh prefix lacks them,
# and Wine's installer removes such parents once they are empty, so an empty
# one would spoil every later comparison with the baseline.
remove_empty_user_classes() {  # view
  local key='HKEY_CURRENT_USER\Software\Classes' under
  under=$(user_hive "$1" | grep -E '^HKEY_CURRENT_USER\\Software\\Classes(\\[^|]*)?\|' || true)
  [ -n "$under" ] && ! grep -qv '|$' <<<"$under" || return 0
  echo "  note  removing the empty $key left in the prefix"
  wine reg delete "$key" /f ${1:+/reg:$1} >/dev/null 2>&1 || true
}

run_arch() {  # arch
  local arch=$1
  echo "== $arch package in a ${wine_arch[$arch]} prefix"
  open_prefix "$arch"
  trap 'close_prefix; stop_display' EXIT
  local view=${reg_views[0]}
  remove_leftovers "$view"
  remove_empty_user_classes "$view"
  take_baseline
  install_and_remove "$arch" "$view"
  upgrade "$arch" "$view"
  if [ "$arch" = x64 ]; then switch_bitness "$view"; fi
  same_as_self_registration "$arch" "$view"
  close_prefix
  stop_display
  trap - EXIT
}

tests/msi/lib_test.sh
build_packages
for arch in x64 x86; do
  # The packaged libraries, to compare the installed files with.
  mkdir -p "$work/new.$arch"
  (cd "$work/new.$arch" && msiextract "$(package new "$arch")" >/dev/null)
  find "$work/new.$arch" \( -name '*.dll' -o -name '*.exe' \) -exec mv -t "$work/new.$arch" {} +
done
for arch in x64 x86; do run_arch "$arch"; done

echo "msi: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
