# Shared by the scripts: the build folders, the Wine prefixes and a virtual display.
# Source it; it defines variables and functions and starts nothing by itself.

NOMARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
NOMARO_BUILD=$NOMARO_ROOT/build
NOMARO_WIN=$NOMARO_BUILD/win32
# The 64-bit build (only the extension, its tests and its tools); its server is in NOMARO_DIST too.
NOMARO_WIN64=$NOMARO_BUILD/win64
NOMARO_DIST=$NOMARO_WIN/dist
# NOMARO_WINEARCH=win64 chooses 64-bit prefixes (the 32-bit program runs there too).
export WINEARCH=${NOMARO_WINEARCH:-win32}
# NOMARO_PRISTINE: a prefix as wineboot leaves it (no virtual desktop), copied
# where a test needs a clean registry. WINEPREFIX: the tests' prefix; the
# 64-bit one has a variable of its own, as the 64-bit tests' Wine wrapper has.
if [ "$WINEARCH" = win64 ]; then
  NOMARO_PRISTINE=$NOMARO_WIN64/wineprefix-pristine
  export WINEPREFIX=${NOMARO_WINEPREFIX64:-$NOMARO_WIN64/wineprefix}
else
  NOMARO_PRISTINE=$NOMARO_WIN/wineprefix-pristine
  export WINEPREFIX=${WINEPREFIX:-$NOMARO_WIN/wineprefix}
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono and no Gecko: nothing of ours needs them, and their installers would ask.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Starts Xvfb with a screen of the given size (e.g. 1280x1024) and exports
# DISPLAY for it; stop_xvfb ends it. Xvfb picks a free display number itself
# and reports it, so scripts started at the same moment never share one.
start_xvfb() {
  local size=$1 numberfile n i
  numberfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for i in $(seq 1 200); do
    n=$(head -n1 "$numberfile" 2>/dev/null)
    if [ -n "$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
      rm -f "$numberfile"
      export DISPLAY=:$n
      return 0
    fi
    kill -0 $XVFB_PID 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$numberfile"
  echo "Xvfb did not start" >&2
  return 1
}

# Ends what a script started: the wineservers of its prefix, of the
# pristine prefix and of the prefixes in NOMARO_SESSION_PREFIXES, and its Xvfb. Safe under `set -e` (a wineserver that is
# not running must not stop the rest of the cleanup).
end_session() {
  set +e
  wineserver -k 2>/dev/null
  WINEPREFIX=$NOMARO_PRISTINE wineserver -k 2>/dev/null
  [ -n "${NOMARO_SESSION_PREFIXES:-}" ] && for prefix in $NOMARO_SESSION_PREFIXES; do
    WINEPREFIX=$prefix wineserver -k 2>/dev/null
  done
  stop_xvfb
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}

# Creates the pristine prefix once (needs DISPLAY), then the test prefix with
# Wine's virtual desktop: without a window manager every modal window closes slowly.
ensure_prefixes() {
  if [ ! -f "$NOMARO_PRISTINE/system.reg" ]; then
    rm -rf "$NOMARO_PRISTINE"
    WINEPREFIX=$NOMARO_PRISTINE wineboot -i >/dev/null 2>&1
    WINEPREFIX=$NOMARO_PRISTINE wineserver -w
  fi
  if [ ! -f "$WINEPREFIX/.nomaro-ready" ]; then
    rm -rf "$WINEPREFIX"
    cp -a "$NOMARO_PRISTINE" "$WINEPREFIX"
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.nomaro-ready"
  fi
}

# reg_value KEY [NAME]: a value as text (no NAME: the default value), read in
# the registry view of the prefix's own size (`wine reg` alone reads the
# 32-bit view, also in a 64-bit prefix).
reg_value() {
  local selector=(/ve) view=()
  [ -n "${2:-}" ] && selector=(/v "$2")
  [ "$WINEARCH" = win64 ] && view=(/reg:64)
  wine reg query "$1" "${selector[@]}" "${view[@]}" 2>/dev/null | tr -d '\r' |
    awk '/^    .*  REG_/ {sub(/^    .*    REG_[A-Z_]+    /, ""); print}'
}
