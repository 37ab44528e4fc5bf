# Shared by tests/e2e/run.sh and tools/hostsim/demo.sh (sourced, not run).
# Wine prefixes live under build/wine and are made once per build tree.
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko prompts; no browser for the add-in's web-site command.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winebrowser.exe=d"}

wine_log() { printf '== %s\n' "$*" >&2; }

# ensure_prefix ARCH (win64|win32): creates the prefix if it is missing.
ensure_prefix() {
  local arch=$1 prefix=$root/build/wine/$1
  export WINEPREFIX=$prefix
  if [ ! -f "$prefix/.brelm-ready" ]; then
    wine_log "creating the $arch Wine prefix (once)"
    rm -rf "$prefix"
    mkdir -p "$root/build/wine"
    WINEARCH=$arch wineboot -i >/dev/null 2>&1
    # Unmanaged windows: hiding a window on Xvfb without a window manager stalls otherwise.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.brelm-ready"
  fi
}

# Starts Xvfb on :92 (or $BRELM_DISPLAY) when there is no display;
# stop_display undoes it.
started_xvfb=""
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  export DISPLAY=${BRELM_DISPLAY:-:92}
  if ! xdpyinfo >/dev/null 2>&1; then
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    started_xvfb=$!
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
}

stop_display() {
  if [ -n "$started_xvfb" ]; then kill "$started_xvfb" 2>/dev/null || true; fi
}

# find_dll ARCH NAME: the built library of that name under build/ARCH.
find_dll() {
  find "$root/build/$1" -name "$2" -not -path '*/CMakeFiles/*' 2>/dev/null | head -n 1
}

# regsvr ARCH DLL [FLAGS...]: (un)registers a library in the current prefix.
regsvr() {
  local dll=$2
  shift 2
  [ -n "$dll" ] || return 0
  wine regsvr32 /s "$@" "$(winepath -w "$dll")" >/dev/null 2>&1
}
