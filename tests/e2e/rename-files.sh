# From the start window to renamed files on disk, driven with keys and clicks.
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
program=$(copy_program)
photos=$E2E_DIR/photos
mkdir -p "$photos"
for name in a.jpg b.JPG c.tar.gz README; do echo "$name" > "$photos/$name"; done
rename_settings "$program" "$photos"

start_program "$program"
keys_to "$START_WINDOW" Return
window=$(wintool wait NomaroForm 'Nomaro 3.1 (Rename)' 30000) || fail "no rename window"
files=$(wintool child "$window" ListBox 1) || fail "no file list"
list=$(wintool child "$window" ListBox 2) || fail "no rename list"
# The settings, and with them the folder, are restored a moment after the window opens.
wait_for 30 "the file list does not show the folder's four files" -- is 4 wintool items "$files"
click_list "$files"
xdotool key ctrl+Home shift+End
click "$(wintool labelled "$window" '> SELECT >')"
wait_for 30 "the four files did not reach the rename list" -- is 4 wintool items "$list"
click "$(wintool child "$window" Edit 1)"
xdotool type --delay 50 Trip
click "$(wintool labelled "$window" RENAME)"
answer_box 'Rename?' | grep -qx 'Rename the selected file(s)' || fail "wrong question"
answer_box Stop | grep -qx 'Renaiming Complete' || fail "no completion notice"
actual=$(cd "$photos" && ls | sort | tr '\n' ' ')
[ "$actual" = "Trip0001.jpg Trip0002.JPG Trip0003.tar.gz Trip0004.README " ] || fail "files on disk: $actual"
[ "$(cat "$photos/Trip0003.tar.gz")" = c.tar.gz ] || fail "a file lost its content"
xdotool key Escape
answer_box 'Exit?' >/dev/null
wait_exit "$PROGRAM_PID" 30 || fail "the program ended with an error"
echo "renamed from the start window: $actual"
