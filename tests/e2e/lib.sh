# Shared by the end-to-end scripts: a display and a Wine prefix of their own
# (a copy, so the test prefix stays clean, and a wineserver of its own, so
# keys typed here reach no other test), a copy of the install layout, and the
# window tool. E2E_SCREEN chooses the screen size (default 1280x1024).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"

# The server under test: nomaro3x.dll, or nomaro3x64.dll with NOMARO_WINEARCH=win64;
# E2E_TAG marks the 64-bit run's screenshots.
SHELLEXT_FILE=${NOMARO_SHELLEXT_FILE:-nomaro3x.dll}
E2E_TAG=
[ "$WINEARCH" = win64 ] && E2E_TAG=-x64
E2E_DIR=$(mktemp -d /tmp/nomaro-e2e.XXXXXX)
E2E_PIDS=()

e2e_cleanup() {
  wineserver -k 2>/dev/null
  local pid
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  stop_xvfb
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT
start_xvfb "${E2E_SCREEN:-1280x1024}" || { echo "no display" >&2; exit 1; }

# Reports a failure with a screenshot of the display as it stands.
fail() {
  echo "FAILED: $*" >&2
  local shot=$NOMARO_BUILD/screenshots/e2e-$(basename "$0" .sh)$E2E_TAG-failed.png
  mkdir -p "$(dirname "$shot")"
  import -window root "$shot" 2>/dev/null && echo "screenshot: $shot" >&2
  exit 1
}

# use_prefix <prefix to copy>: runs everything after it in a private copy.
use_prefix() {
  cp -a "$1" "$E2E_DIR/prefix"
  export WINEPREFIX=$E2E_DIR/prefix
}

# Puts the install layout into a folder of its own and prints the program's
# path. The tip of the day is turned off, so it covers no window a script
# looks at (start-window.sh turns it on again).
copy_program() {
  mkdir -p "$E2E_DIR/program"
  cp -a "$NOMARO_DIST"/. "$E2E_DIR/program/"
  sed -i 's/^tipofday=true/tipofday=false/' "$E2E_DIR/program/filename.ini"
  echo "$E2E_DIR/program/Nomaro.exe"
}

# Settings beside the program that open the rename window on a folder with
# every file shown and the tip of the day off.
#   rename_settings PROGRAM FOLDER
rename_settings() {
  cat > "$(dirname "$1")/filename.ini" <<INI
[rename]
lastcat=$(winepath -w "$2" 2>/dev/null)
format=*.*
ext=True
index=1
[common]
tipofday=false
INI
}

# make_files FOLDER NAME...: the folder with a file of each name, holding its name.
make_files() {
  mkdir -p "$1"
  local name
  for name in "${@:2}"; do echo "$name" >"$1/$name"; done
}

wintool() {
  wine "$NOMARO_WINTOOL" "$@" 2>/dev/null | tr -d '\r'
}

# Tries COMMAND every tenth of a second until it succeeds; fails the test
# with DESCRIPTION when TIMEOUT seconds pass first.
#   wait_for TIMEOUT DESCRIPTION -- COMMAND...
wait_for() {
  local seconds=$1 description=$2 deadline=$((SECONDS + $1))
  shift 3
  until "$@"; do
    [ $SECONDS -lt $deadline ] || fail "$description (waited $seconds s)"
    sleep 0.1   # the interval between tries
  done
}
# Conditions for wait_for: a command prints exactly VALUE; a window or one of
# its children shows a text that grep's arguments find; a process has ended.
is() { [ "$("${@:2}")" = "$1" ]; }
shows() { wintool texts "$1" | grep -q "${@:2}"; }
gone() { ! kill -0 "$1" 2>/dev/null; }

# Waits for a process to end; returns its exit code, or fails after $2 seconds.
wait_exit() {
  wait_for "$2" "process $1 still runs" -- gone "$1"
  wait "$1"
}

# Clicks the middle of a window with the mouse.
click() {
  local position
  position=$(wintool centre "$1") || fail "no window $1 to click"
  xdotool mousemove $position click 1
}

# Answers the message box with the given title by clicking its OK button, or
# the button with the label given second ("&Yes", "&No"); a click reaches the
# box whichever window has the keyboard. Prints its texts first so the caller
# can check them.
answer_box() {
  local title=$1 label=${2:-OK} box button
  box=$(wintool wait '#32770' "$title" 30000) || fail "no message box \"$title\""
  wintool texts "$box"
  button=$(wintool labelled "$box" "$label") || fail "the message box \"$title\" has no $label button"
  click "$button"
}

# Starts the program in the background: sets PROGRAM_PID, and START_WINDOW
# once its start window shows.
start_program() {
  wine "$1" &
  PROGRAM_PID=$!
  E2E_PIDS+=($PROGRAM_PID)
  START_WINDOW=$(wintool wait NomaroForm Nomaro 30000) || fail "no start window"
}

# Enter in the start window: sets WINDOW to the rename window it opens.
open_rename_window() {
  keys_to "$START_WINDOW" Return
  WINDOW=$(wintool wait NomaroForm 'Nomaro 3.1 (Rename)' 30000) || fail "Enter opened no rename window"
}

# In the rename window WINDOW: all COUNT files of the file list to the rename
# list, the new name NAME typed and RENAME clicked.
#   rename_all COUNT NAME
rename_all() {
  local files list
  files=$(wintool child "$WINDOW" ListBox 1) || fail "no file list"
  # The settings, and with them the folder, are restored a moment after the window opens.
  wait_for 60 "the file list does not show the folder's $1 files" -- is "$1" wintool items "$files"
  click_list "$files"
  xdotool key ctrl+Home shift+End
  click "$(wintool labelled "$WINDOW" '> SELECT >')"
  list=$(wintool child "$WINDOW" ListBox 2) || fail "no rename list"
  wait_for 60 "the $1 files did not reach the rename list" -- is "$1" wintool items "$list"
  click "$(wintool child "$WINDOW" Edit 1)"
  xdotool type --delay 50 "$2"
  click "$(wintool labelled "$WINDOW" RENAME)"
}

# Escape, the exit question answered OK, and the program ends without error.
close_program() {
  xdotool key Escape
  answer_box 'Exit?' >/dev/null
  wait_exit "$PROGRAM_PID" 30 || fail "the program ended with an error"
}

# Types keys into a window after bringing it to the front.
keys_to() {
  local window=$1
  shift
  wintool activate "$window" || fail "window $window cannot be brought to the front"
  wait_for 30 "window $window does not get the keyboard" -- wintool focused "$window"
  xdotool key "$@"
}

# Starts the shell host HOST on the files (Windows paths), right-clicks it,
# saves the popup menu to the screenshot SHOT and chooses "Rename with
# &Nomaro" by its key. Sets HOST_PID and RENAME_WINDOW, the context rename
# window, once its list is filled.
#   choose_context_rename HOST SHOT FILE...
choose_context_rename() {
  local host=$1 shot=$2 window
  shift 2
  wine "$host" "$@" &
  HOST_PID=$!
  E2E_PIDS+=("$HOST_PID")
  window=$(wintool wait NomaroShellHost 'Shell host' 30000) || fail "no shell host window ($host)"
  wintool activate "$window" || fail "the shell host cannot be brought to the front ($host)"
  xdotool mousemove $(wintool centre "$window") click 3
  wintool wait '#32768' '*' 30000 >/dev/null || fail "no context menu ($host)"
  sleep 0.5   # for the shot only: nothing tells from outside when the menu is painted
  import -window root "$shot"
  xdotool key n
  RENAME_WINDOW=$(wintool wait NomaroForm 'Rename Filenames' 30000) ||
    fail "choosing the item opened no rename window ($host)"
  # The list is filled a moment after the window opens, and then counted.
  wait_for 30 "the rename window filled no list ($host)" -- shows "$RENAME_WINDOW" '^Selected = '
}

# Clicks into a list and waits until it has the keyboard.
click_list() {
  click "$1"
  wait_for 30 "the list $1 does not get the keyboard" -- wintool focused "$1"
}
