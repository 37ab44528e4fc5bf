# Text helpers of the installer checks (sourced by tests/msi/run.sh, and by
# tests/msi/lib_test.sh which checks them without Wine).

# A version Windows Installer orders below the given X.Y.Z.
lower_version() {  # X.Y.Z
  local major minor build
  IFS=. read -r major minor build <<<"$1"
  if ((build > 0)); then echo "$major.$minor.$((build - 1))"
  elif ((minor > 0)); then echo "$major.$((minor - 1)).0"
  elif ((major > 0)); then echo "$((major - 1)).0.0"
  else return 1
  fi
}

# ProductVersion as the installer records it in the product's "Version" value.
msi_version_dword() {  # X.Y.Z
  local major minor build
  IFS=. read -r major minor build <<<"$1"
  printf 'dword:%08x\n' $(((major << 24) | (minor << 16) | build))
}

# A .reg export (UTF-16, as `reg export` writes it) as sorted lines
# "KEY|" for every key and "KEY|value" for every value, continuations joined.
flatten_reg() {
  iconv -f UTF-16 -t UTF-8 | tr -d '\r' | awk '
    /^\[.*\]$/ { key = substr($0, 2, length($0) - 2); print key "|"; next }
    key == "" || /^$/ { next }
    {
      line = $0
      while (line ~ /\\$/ && (getline more) > 0) {
        sub(/\\$/, "", line); sub(/^ +/, "", more); line = line more
      }
      print key "|" line
    }' | LC_ALL=C sort
}

# One hive in one registry view ("" for the prefix's own), flattened.
export_flat() {  # hive view scratch-file
  rm -f "$3"
  wine reg export "$1" "$3" /y ${2:+/reg:$2} >/dev/null 2>&1
  flatten_reg <"$3"
}

# Once it has run, the installer keeps empty keys of its own bookkeeping and
# its package cache folder; only what is in them counts. The display driver's
# state is rewritten whenever Wine starts without one. Works on snapshot
# lines: "VIEW:KEY|..." and "file:PATH".
without_installer_roots() {
  grep -Eiv '^[0-9]*:(HKEY_CURRENT_USER\\Software\\Microsoft\\Installer|HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Installer)(\\[^|]*)?\|$' |
    grep -Eiv '^[0-9]*:HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video(\\|\|)' |
    grep -Fxv 'file:./windows/Installer' || true
}

# Wine's record of the desktop menu entries it made for Start-menu shortcuts
# (in the test's own folders): Wine's bookkeeping, kept after the shortcut
# goes, not the package's. Works on flattened export and snapshot lines.
without_wine_menus() {
  grep -Eiv '^([0-9]*:)?HKEY_CURRENT_USER\\Software\\Wine\\MenuFiles(\\[^|]*)?\|' || true
}

# The installer writes product codes in its registry "packed": the first three
# groups reversed, the other bytes with their two hex digits swapped.
unpack_guid() {  # packed
  local p=$1 i tail=""
  for ((i = 16; i < 32; i += 2)); do tail+=${p:i+1:1}${p:i:1}; done
  printf '{%s-%s-%s-%s-%s}\n' "$(reversed "${p:0:8}")" "$(reversed "${p:8:4}")" \
    "$(reversed "${p:12:4}")" "${tail:0:4}" "${tail:4:12}"
}

reversed() {  # text
  local r="" j
  for ((j = ${#1} - 1; j >= 0; j--)); do r+=${1:j:1}; done
  echo "$r"
}

# Packed product codes of the Brelm products in a flattened HKCU export.
brelm_product_keys() {
  sed -n 's/^HKEY_CURRENT_USER\\Software\\Microsoft\\Installer\\Products\\\([0-9A-F]*\)|"ProductName"="Brelm.*/\1/p'
}

# "ProductName|dword:version" for each Brelm product the user has installed,
# read from a flattened HKCU export.
product_listing() {
  awk -F'|' '
    $1 ~ /^HKEY_CURRENT_USER\\Software\\Microsoft\\Installer\\Products\\[^\\]+$/ {
      if ($2 ~ /^"ProductName"=/) { v = $2; sub(/^"ProductName"="/, "", v); sub(/"$/, "", v); name[$1] = v }
      if ($2 ~ /^"Version"=/) { v = $2; sub(/^"Version"=/, "", v); version[$1] = v }
    }
    END { for (k in name) if (name[k] ~ /^Brelm/) print name[k] "|" version[k] }' | LC_ALL=C sort
}

# Whether a Windows DLL exports DllInstall (the per-user self-registration).
exports_dllinstall() {  # dll
  x86_64-w64-mingw32-objdump -p "$1" 2>/dev/null |
    awk '/^\[Ordinal\/Name Pointer\] Table/ { t = 1; next } t && /^$/ { t = 0 } t' |
    grep -qw DllInstall
}

# The object format of a Windows binary: pei-x86-64 or pei-i386.
pe_format() {  # file
  x86_64-w64-mingw32-objdump -f "$1" 2>/dev/null | sed -n 's/.*file format //p'
}

# The text a shell link holds, one string a line: the target's full path (in
# the link's ANSI part), then description, working folder and arguments, which
# Windows writes in UTF-16, each after its length, which shows as one more
# character at the start.
lnk_strings() {  # file.lnk
  strings -n 3 "$1"
  strings -n 3 -e l "$1"
}

# The arguments among a link's strings when they send the report to a folder
# under the user's documents, as the installer resolved it; else nothing.
shortcut_arguments() {  # lnk_strings output
  grep -oE -- '--out "[A-Za-z]:\\[^"]*\\(Documents|My Documents)\\Brelm check report"$' <<<"$1" || true
}
