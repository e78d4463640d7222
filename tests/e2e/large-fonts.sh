# Large system fonts (120 pixels per inch): the program refuses with its
# message, never shows the start window and ends when the message is confirmed.
source "$(dirname "$0")/lib.sh"
use_prefix "$NOMARO_PRISTINE"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 120 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w

program=$(copy_program)
wine "$program" & pid=$!
E2E_PIDS+=($pid)
box=$(wintool wait '#32770' 'Wrong Font' 30000) || fail "no large-font message"
wintool texts "$box" | grep -q '^Your system is using Large fonts\. This program wants you to use Small fonts\.' \
  || fail "wrong message: $(wintool texts "$box")"
[ "$(wintool count NomaroForm '*')" = 0 ] || fail "the start window is shown"
click "$(wintool labelled "$box" OK)"
wait_exit "$pid" 30 || fail "the program ended with an error"
echo "large fonts refused"
