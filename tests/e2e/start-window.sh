# The real program driven from the keyboard. As shipped it shows the tip of the
# day over the start window; unticking its box and OK write the switch beside
# the program. Enter opens the rename window and closes the start window;
# closing that window asks the exit question, and OK ends the program.
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
open_rename_window
[ "$(wintool count NomaroForm Nomaro)" = 0 ] || fail "the start window is still shown"
keys_to "$WINDOW" alt+F4
answer_box 'Exit?' | grep -qx 'Exit Nomaro Now?' || fail "closing the rename window asks no exit question"
wait_exit "$PROGRAM_PID" 30 || fail "the program ended with an error"
[ "$(wintool count NomaroForm '*')" = 0 ] || fail "a window is left"
echo "start window: the tip shows and its switch is written, Enter opens the rename window, the exit question ends"
