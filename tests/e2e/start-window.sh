# The real program driven from the keyboard: Enter at once opens the rename
# window and closes the start window; closing that window asks the exit question,
# and OK ends the program.
# A second run: Escape ends the program from the start window.
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
program=$(copy_program)

start_program "$program"
keys_to "$START_WINDOW" Return
window=$(wintool wait NomaroForm 'Nomaro 3.1 (Rename)' 30000) || fail "Enter opened no rename window"
[ "$(wintool count NomaroForm Nomaro)" = 0 ] || fail "the start window is still shown"
keys_to "$window" alt+F4
answer_box 'Exit?' | grep -qx 'Exit Nomaro Now?' || fail "closing the rename window asks no exit question"
wait_exit "$PROGRAM_PID" 30 || fail "the program ended with an error"

start_program "$program"
keys_to "$START_WINDOW" Escape
wait_exit "$PROGRAM_PID" 30 || fail "the program ended with an error"
[ "$(wintool count NomaroForm '*')" = 0 ] || fail "a window is left"
echo "start window: Enter opens the rename window, Escape ends"
