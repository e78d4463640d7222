# The real program driven from the keyboard. As shipped it shows the tip of the
# day over the start window; unticking its box and OK keep it away at the next
# start. Enter opens the rename window and closes the start window; closing
# that window asks the exit question, and OK ends the program.
# A second run shows no tip: Escape ends the program from the start window.
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
program=$(copy_program)
sed -i 's/^tipofday=false/tipofday=true/' "$(dirname "$program")/filename.ini"   # as shipped

start_program "$program"
tip=$(wintool wait NomaroForm 'Tip of the Day' 30000) || fail "no tip of the day at the first start"
[ -n "$(wintool texts "$tip" | sed -n '3p')" ] || fail "the tip window shows no tip: $(wintool texts "$tip")"
click "$(wintool labelled "$tip" '&Show tip at start')"
click "$(wintool labelled "$tip" OK)"
tr -d '\r' < "$(dirname "$program")/filename.ini" | grep -qx 'tipofday=false' || fail "the tip switch was not written"
keys_to "$START_WINDOW" Return
window=$(wintool wait NomaroForm 'Nomaro 3.1 (Rename)' 30000) || fail "Enter opened no rename window"
[ "$(wintool count NomaroForm Nomaro)" = 0 ] || fail "the start window is still shown"
keys_to "$window" alt+F4
answer_box 'Exit?' | grep -qx 'Exit Nomaro Now?' || fail "closing the rename window asks no exit question"
wait_exit "$PROGRAM_PID" 30 || fail "the program ended with an error"

start_program "$program"
sleep 1.5   # a window that does not come has no event to wait for: the tip would show 0.5 s after the start window
[ "$(wintool count NomaroForm 'Tip of the Day')" = 0 ] || fail "the tip came back although it was turned off"
keys_to "$START_WINDOW" Escape
wait_exit "$PROGRAM_PID" 30 || fail "the program ended with an error"
[ "$(wintool count NomaroForm '*')" = 0 ] || fail "a window is left"
echo "start window: the tip shows until turned off, Enter opens the rename window, Escape ends"
