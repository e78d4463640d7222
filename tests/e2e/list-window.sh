# From the start window to a list saved on disk, one name per line, driven with keys and clicks.
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
program=$(copy_program)
photos=$E2E_DIR/photos
mkdir -p "$photos"
for name in a.jpg b.JPG c.tar.gz README; do echo "$name" > "$photos/$name"; done
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
sleep 1   # the settings are restored 250 ms after the window opens
files=$(wintool child "$window" ListBox 1) || fail "no file list"
xdotool mousemove $(wintool centre "$files") click 1
sleep 0.3
xdotool key ctrl+Home shift+End
click "$(wintool labelled "$window" '> Add to List >')"
sleep 1.5   # the transfer runs a second after the click
click "$(wintool labelled "$window" 'Save to file')"
dialog=$(wintool wait '#32770' 'Save As' 30000) || fail "no save dialog"
sleep 0.5
xdotool type --delay 20 "$(winepath -w "$saved" 2>/dev/null)"
xdotool key Return
for i in $(seq 1 50); do [ -s "$saved" ] && break; sleep 0.1; done
[ -s "$saved" ] || fail "nothing saved"
names=$(tr -d '\r' < "$saved" | sed 's/.*\\//' | grep -v '^$' | sort | tr '\n' ' ')
[ "$names" = "README a.jpg b.JPG c.tar.gz " ] || fail "the saved list holds: $(cat -A "$saved")"
[ "$(grep -c $'\r$' "$saved")" -ge 4 ] || fail "the lines do not end in CR LF: $(cat -A "$saved")"
click "$(wintool labelled "$window" Exit)"
answer_box 'Exit?' >/dev/null
wait_exit "$PROGRAM_PID" 30 || fail "the program ended with an error"
echo "list saved from the start window: $names"
