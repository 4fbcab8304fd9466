#!/usr/bin/env bash
# Runs a Windows program under Wine with a private prefix, so that no test
# touches the user's own Wine settings. The prefix lives in the build folder
# (TOLVANE_WINEPREFIX overrides it); DISPLAY must name a running X server.
set -eu
exe=$1; shift
build=${TOLVANE_BUILD_DIR:-$(cd "$(dirname "$exe")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX=${TOLVANE_WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"  # a crash ends the program, no debugger waits
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
exec wine "$exe" "$@"
