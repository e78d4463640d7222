# The real program driven from the keyboard: Enter at once opens the rename
# window and closes the start window; closing that window asks the exit question,
# and OK ends the program.
# A second run: Escape ends the program from the start window.
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
program=$(copy_program)

wine "$program" & pid=$!
E2E_PIDS+=($pid)
start=$(wintool wait NomaroForm Nomaro 30000) || fail "no start window"
wintool activate "$start" || fail "the start window cannot be brought to the front"
sleep 0.3
xdotool key Return
wintool wait NomaroForm 'Nomaro 3.1 (Rename)' 30000 >/dev/null || fail "Enter opened no rename window"
[ "$(wintool count NomaroForm Nomaro)" = 0 ] || fail "the start window is still shown"
xdotool key alt+F4
box=$(wintool wait '#32770' 'Exit?' 30000) || fail "closing the rename window asks nothing"
wintool texts "$box" | grep -qx 'Exit Nomaro Now?' || fail "wrong question: $(wintool texts "$box")"
wintool activate "$box" || fail "the question cannot be brought to the front"
xdotool key Return
wait_exit "$pid" 30 || fail "the program ended with an error"

wine "$program" & pid=$!
E2E_PIDS+=($pid)
start=$(wintool wait NomaroForm Nomaro 30000) || fail "no start window"
wintool activate "$start" || fail "the start window cannot be brought to the front"
sleep 0.3
xdotool key Escape
wait_exit "$pid" 30 || fail "the program ended with an error"
[ "$(wintool count NomaroForm '*')" = 0 ] || fail "a window is left"
echo "start window: Enter opens the rename window, Escape ends"
