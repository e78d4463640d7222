# A second start of the program while the first shows its start window:
# one message, the first instance stays and comes to the front, the second ends.
# The second would show the tip of the day; a refused start shows none.
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
program=$(copy_program)

start_program "$program"
first=$PROGRAM_PID start=$START_WINDOW

sed -i 's/^tipofday=false/tipofday=true/' "$(dirname "$program")/filename.ini"
wine "$program" & second=$!
E2E_PIDS+=($second)
box=$(wintool wait '#32770' Nomaro 30000) || fail "the second instance shows no message"
wintool texts "$box" | grep -qx 'The program is already in use!' || fail "wrong message: $(wintool texts "$box")"
sleep 1   # a window that does not come has no event to wait for: past the moment the tip would show
[ "$(wintool count '#32770' '*')" = 1 ] || fail "more than one message box"
[ "$(wintool count NomaroForm '*')" = 1 ] || fail "the second instance showed a window"

click "$(wintool labelled "$box" OK)"
wait_exit "$second" 30; code=$?
[ $code = 0 ] || fail "the second instance ended with $code"
[ "$(wintool count '#32770' '*')" = 0 ] || fail "a message box is left"
[ "$(wintool count NomaroForm Nomaro)" = 1 ] || fail "the first instance's start window is gone"
[ "$(wintool foreground)" = "$start" ] || fail "the first instance is not in front"
kill -0 "$first" || fail "the first instance ended"
echo "second instance refused, first instance in front"
