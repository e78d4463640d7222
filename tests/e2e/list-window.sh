# From the start window to a list saved on disk, one name per line, driven with keys and clicks.
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
program=$(copy_program)
photos=$E2E_DIR/photos
make_files "$photos" a.jpg b.JPG c.tar.gz README
cat > "$(dirname "$program")/filename.ini" <<INI
[printsave]
lastcat=$(winepath -w "$photos" 2>/dev/null)
format=*.*
pictures=0
[common]
tipofday=false
INI
saved=$E2E_DIR/saved-list.txt

start_program "$program"
keys_to "$START_WINDOW" shift+Tab Up Return
window=$(wintool wait NomaroForm 'Noma Ro 3.1  (Print & Save)' 30000) || fail "no list window"
files=$(wintool child "$window" ListBox 1) || fail "no file list"
document=$(wintool child "$window" RichEdit20W 0) || fail "no list document"
# The settings, and with them the folder, are restored a moment after the window opens.
wait_for 30 "the file list does not show the folder's four files" -- is 4 wintool items "$files"
click_list "$files"
xdotool key ctrl+Home shift+End
click "$(wintool labelled "$window" '> Add to List >')"
document_lines() { wintool text "$document" | grep -c .; }
wait_for 30 "the four files did not reach the list" -- is 4 document_lines
click "$(wintool labelled "$window" 'Save to file')"
dialog=$(wintool wait '#32770' 'Save As' 30000) || fail "no save dialog"
wait_for 30 "the save dialog does not get the keyboard" -- wintool focused "$dialog"
windows_path=$(winepath -w "$saved" 2>/dev/null)
xdotool type --delay 20 "$windows_path"
name_box=$(wintool child "$dialog" Edit 0) || fail "the save dialog has no name box"
wait_for 30 "the save dialog does not show the typed name" -- is "$windows_path" wintool text "$name_box"
xdotool key Return
wait_for 30 "nothing saved" -- test -s "$saved"
names=$(tr -d '\r' < "$saved" | sed 's/.*\\//' | grep -v '^$' | sort | tr '\n' ' ')
[ "$names" = "README a.jpg b.JPG c.tar.gz " ] || fail "the saved list holds: $(cat -A "$saved")"
[ "$(grep -c $'\r$' "$saved")" -ge 4 ] || fail "the lines do not end in CR LF: $(cat -A "$saved")"
click "$(wintool labelled "$window" Exit)"
answer_box 'Exit?' >/dev/null
wait_exit "$PROGRAM_PID" 30 || fail "the program ended with an error"
echo "list saved from the start window: $names"
