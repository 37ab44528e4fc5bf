#!/usr/bin/env bash
# The text helpers of the installer checks, on made-up input: a wrong helper
# would let the checks under Wine pass or fail for the wrong reason.
set -euo pipefail
cd "$(dirname "$0")/../.."
export LC_ALL=C
source tests/msi/lib.sh

passed=0 failed=0
expect() {  # name expected actual
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL %s\n  expected: %s\n  actual:   %s\n' "$1" "${2//$'\n'/ ⏎ }" "${3//$'\n'/ ⏎ }"
  fi
}

utf16() { printf '%s' "$1" | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16; }

reg_sample='Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\B]
@="default"
"Multi"=hex(7):3a,00,\
  00,00,\
  00,00
"Path"="C:\\dir\\"

[HKEY_CURRENT_USER\Software\A]
'
expect "flatten_reg: keys, values, joined continuations, sorted" \
  'HKEY_CURRENT_USER\Software\A|
HKEY_CURRENT_USER\Software\B|
HKEY_CURRENT_USER\Software\B|"Multi"=hex(7):3a,00,00,00,00,00
HKEY_CURRENT_USER\Software\B|"Path"="C:\\dir\\"
HKEY_CURRENT_USER\Software\B|@="default"' \
  "$(utf16 "$reg_sample" | flatten_reg)"

snapshot_sample='64:HKEY_CURRENT_USER\Software\Microsoft\Installer|
64:HKEY_CURRENT_USER\Software\Microsoft\Installer\Products|
64:HKEY_CURRENT_USER\Software\Microsoft\Installer\Products\ABC|"ProductName"="Brelm"
32:HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Installer\UserData|
:HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Installer\UserData|
64:HKEY_CURRENT_USER\Software\Microsoft\Office|
64:HKEY_CURRENT_USER\Software\Microsoft\InstallerX|
64:HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Video\{b6}\0000|"DriverError"="no X"
64:HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Video|
file:./windows/Installer
file:./windows/Installer/1a2b.msi'
expect "without_installer_roots: only the installer's empty keys, its cache folder and display state go" \
  '64:HKEY_CURRENT_USER\Software\Microsoft\Installer\Products\ABC|"ProductName"="Brelm"
64:HKEY_CURRENT_USER\Software\Microsoft\Office|
64:HKEY_CURRENT_USER\Software\Microsoft\InstallerX|
file:./windows/Installer/1a2b.msi' \
  "$(without_installer_roots <<<"$snapshot_sample")"

expect "without_wine_menus: Wine's menu records go, the package's values stay" \
  '64:HKEY_CURRENT_USER\Software\Brelm|"InstallDir"="C:\\x"
HKEY_CURRENT_USER\Software\Wine\MenuFilesX|' \
  "$(without_wine_menus <<<'64:HKEY_CURRENT_USER\Software\Wine\MenuFiles|
64:HKEY_CURRENT_USER\Software\Wine\MenuFiles|"\\\\?\\Z:\\h\\a.desktop"="C:\\a.lnk"
64:HKEY_CURRENT_USER\Software\Brelm|"InstallDir"="C:\\x"
HKEY_CURRENT_USER\Software\Wine\MenuFiles|"b"="c"
HKEY_CURRENT_USER\Software\Wine\MenuFilesX|')"

products='HKEY_CURRENT_USER\Software\Microsoft\Installer\Products\0C062FFFBF3ADFE5D9547171C088EABF|"ProductName"="Brelm for 64-bit Office"
HKEY_CURRENT_USER\Software\Microsoft\Installer\Products\0C062FFFBF3ADFE5D9547171C088EABF|"Version"=dword:00010000
HKEY_CURRENT_USER\Software\Microsoft\Installer\Products\0C062FFFBF3ADFE5D9547171C088EABF\SourceList|"ProductName"="Brelm nested"
HKEY_CURRENT_USER\Software\Microsoft\Installer\Products\11111111111111111111111111111111|"ProductName"="Other"
HKEY_CURRENT_USER\Software\Microsoft\Installer\Products\11111111111111111111111111111111|"Version"=dword:01000000'
expect "product_listing: Brelm products with their versions" \
  'Brelm for 64-bit Office|dword:00010000' "$(product_listing <<<"$products")"
expect "brelm_product_keys: packed codes of Brelm products" \
  '0C062FFFBF3ADFE5D9547171C088EABF' "$(brelm_product_keys <<<"$products")"
expect "unpack_guid" '{FFF260C0-A3FB-5EFD-9D45-17170C88AEFB}' \
  "$(unpack_guid 0C062FFFBF3ADFE5D9547171C088EABF)"

expect "lower_version: build" 1.2.2 "$(lower_version 1.2.3)"
expect "lower_version: minor" 1.1.0 "$(lower_version 1.2.0)"
expect "lower_version: major" 0.0.0 "$(lower_version 1.0.0)"
expect "lower_version: none below 0.0.0" failed "$(lower_version 0.0.0 || echo failed)"
expect "msi_version_dword" 'dword:01020003' "$(msi_version_dword 1.2.3)"

expect "shortcut_arguments: report under the resolved Documents" \
  '--out "C:\users\me\Documents\Brelm check report"' \
  "$(shortcut_arguments $'C:\\users\\me\\AppData\\Local\\Programs\\Brelm\\brelm-check.exe\n3--out "C:\\users\\me\\Documents\\Brelm check report"')"
expect "shortcut_arguments: an unresolved folder property is not a folder" "" \
  "$(shortcut_arguments '--out "[PersonalFolder]Brelm check report"')"
expect "shortcut_arguments: a report left in the program folder is not under Documents" "" \
  "$(shortcut_arguments '--out "C:\users\me\AppData\Local\Programs\Brelm\Brelm check report"')"

echo "msi helpers: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
