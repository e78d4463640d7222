# Shared by install-shellext and uninstall-shellext: the options, the prefix,
# and running Wine's registry tools without leaving anything behind.
# Source it with the script's arguments; it defines variables and functions.

# The prefix the caller chose before wine-env.sh puts in its own default.
chosen_prefix=${WINEPREFIX:-}
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

SHELLEXT_CLSID='{11757562-0E2B-4BA2-8F39-EF49D9300A9D}'
# The context-menu handler for all files; its default value names the class.
SHELLEXT_HANDLER_KEY='HKCR\*\shellex\ContextMenuHandlers\Nomaro'

usage() {
  echo "usage: $(basename "$0") [--prefix DIR] [--dll PATH]" >&2
  echo "  --prefix  the Wine prefix (default: \$WINEPREFIX, else $NOMARO_BUILD/run-prefix)" >&2
  echo "  --dll     the server (default: $NOMARO_DIST/nomaro3x.dll, in a 64-bit prefix nomaro3x64.dll)" >&2
  exit 2
}

export WINEPREFIX=${chosen_prefix:-$NOMARO_BUILD/run-prefix}
SHELLEXT_DLL=
while [ $# -gt 0 ]; do
  case $1 in
    --prefix) [ $# -ge 2 ] || usage; WINEPREFIX=$(cd "$2" 2>/dev/null && pwd) || { echo "no folder $2" >&2; exit 1; }; shift 2 ;;
    --dll) [ $# -ge 2 ] || usage; SHELLEXT_DLL=$(realpath "$2"); shift 2 ;;
    *) usage ;;
  esac
done
[ -f "$WINEPREFIX/system.reg" ] || {
  echo "no Wine prefix in $WINEPREFIX: start the program once (scripts/run) or give --prefix" >&2
  exit 1
}
# Wine refuses a prefix of the other size, so the prefix itself decides.
if grep -q '^#arch=win64' "$WINEPREFIX/system.reg"; then export WINEARCH=win64; else export WINEARCH=win32; fi
if [ -z "$SHELLEXT_DLL" ]; then
  if [ "$WINEARCH" = win64 ]; then SHELLEXT_DLL=$NOMARO_DIST/nomaro3x64.dll; else SHELLEXT_DLL=$NOMARO_DIST/nomaro3x.dll; fi
fi
[ -f "$SHELLEXT_DLL" ] || { echo "no server at $SHELLEXT_DLL: build first (scripts/build)" >&2; exit 1; }

# Without a display, Wine starts a wineserver that cannot show windows; it
# must end before anything graphical uses the prefix, so wait for it (for a
# bounded time: a session of someone else's may keep it alive).
finish_wine() {
  if [ -z "${DISPLAY:-}" ]; then timeout 30 wineserver -w 2>/dev/null || true; fi
}
SHELLEXT_FILE=$(basename "$SHELLEXT_DLL")

# 64 or 32: the machine field of the server's PE header (0x8664 for x64).
pe_bits() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  [ "$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')" = 8664 ] && echo 64 || echo 32
}
SHELLEXT_BITS=$(pe_bits "$SHELLEXT_DLL")
