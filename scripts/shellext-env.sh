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
  echo "  --dll     the server (default: $NOMARO_DIST/nomaro3x.dll)" >&2
  exit 2
}

export WINEPREFIX=${chosen_prefix:-$NOMARO_BUILD/run-prefix}
SHELLEXT_DLL=$NOMARO_DIST/nomaro3x.dll
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
[ -f "$SHELLEXT_DLL" ] || { echo "no server at $SHELLEXT_DLL: build first (scripts/build)" >&2; exit 1; }

# Without a display, Wine starts a wineserver that cannot show windows; it
# must end before anything graphical uses the prefix, so wait for it (for a
# bounded time: a session of someone else's may keep it alive).
finish_wine() {
  if [ -z "${DISPLAY:-}" ]; then timeout 30 wineserver -w 2>/dev/null || true; fi
}
