# The setup program in a fresh 64-bit prefix: install, use through both shell
# hosts and the shortcut, refusal while the program runs, settings kept, repair,
# and a removal that leaves nothing of ours in the registry.
export NOMARO_WINEARCH=win64
source "$(dirname "$0")/lib.sh"
source "$NOMARO_ROOT/scripts/setup-program-env.sh"
use_prefix "$NOMARO_PRISTINE"
# Wine's menu builder would copy the shortcut into the Linux desktop's menus;
# it is on only for the last round, with menu folders of the test's own.
overrides_with_menus=$WINEDLLOVERRIDES
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe="
[ -f "$NOMARO_SETUP" ] || fail "no setup program at $NOMARO_SETUP: build first (scripts/build)"
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
clsid='{11757562-0E2B-4BA2-8F39-EF49D9300A9D}'
profile=$WINEPREFIX/drive_c/users/$(whoami)
folder=$profile/AppData/Local/Programs/Nomaro
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Nomaro.lnk"
shipped="Nomaro.chm Nomaro.exe TIPOFDAY.TXT TIPOFDAY2.TXT TIPOFDAY3.TXT Uninstall.exe filename.ini hourglas.bin nomaro3x.dll nomaro3x64.dll "
host64=$NOMARO_WIN64/tests/e2e/shellhost.exe
check64=$NOMARO_WIN64/tests/e2e/shellext_check.exe
shots=$NOMARO_BUILD/screenshots
mkdir -p "$shots" "$E2E_DIR/files"
echo photo >"$E2E_DIR/files/a.jpg"

export_registry() {
  local hive
  for hive in HKEY_CURRENT_USER HKEY_LOCAL_MACHINE; do
    wine regedit /E "$E2E_DIR/$hive-$1.reg" $hive 2>/dev/null || fail "regedit cannot export $hive"
    iconv -f UTF-16 -t UTF-8 "$E2E_DIR/$hive-$1.reg" | tr -d '\r' >"$E2E_DIR/$hive-$1.txt"
  done
}
# Prints the setup program's or the uninstaller's window (or message box)
# that has a child showing the text, once there is one. It is found by that
# text, not as the foreground window: another window (the tip of the day) can
# come to the front meanwhile. The limit only ends a run that hangs; a busy
# machine may need a minute for the first start of a program in a fresh prefix.
dialog_with() {
  wintool wait '#32770' '*' 180000 "$1"
}
# Whether the box is gone; if not, clicks its button and gives it a second to
# close: on a busy machine a click can come before the box takes it.
clicked_away() {
  local button
  button=$(wintool labelled "$1" "$2") || return 0
  xdotool mousemove $(wintool centre "$button") click 1
  wintool gone "$1" 1000
}
installed_files() { (cd "$folder" 2>/dev/null && ls | sort | tr '\n' ' '); }
install_silently() {
  wine "$NOMARO_SETUP" /S </dev/null >/dev/null 2>&1
}
# Whether a host of the given size creates the handler and gets its item.
item_offered() {
  local check=$NOMARO_SHELLEXT_CHECK
  [ "$1" = 64 ] && check=$check64
  wine "$check" "$(winepath -w "$E2E_DIR/files" 2>/dev/null)" a.jpg 2>/dev/null | tr -d '\r' |
    grep -qx 'menu item: Rename with &Nomaro'
}
expect_whole_install() {
  [ "$(installed_files)" = "$shipped" ] || fail "$1: files in the install folder: $(installed_files)"
  [ -f "$shortcut" ] || fail "$1: no Start-menu shortcut"
  [ "$(reg_value "$NOMARO_UNINSTALL_KEY" DisplayVersion)" = "$NOMARO_VERSION" ] || fail "$1: no installed-programs entry"
  item_offered 64 || fail "$1: the 64-bit host gets no item"
  item_offered 32 || fail "$1: the 32-bit host gets no item"
}
expect_nothing_left() {
  [ -z "$(installed_files)" ] || fail "$1: left in the install folder: $(installed_files)"
  [ ! -e "$shortcut" ] || fail "$1: the shortcut is left"
  reg_value "$NOMARO_UNINSTALL_KEY" DisplayName | grep -q . && fail "$1: the installed-programs entry is left"
  item_offered 64 && fail "$1: the 64-bit host still gets the item"
  item_offered 32 && fail "$1: the 32-bit host still gets the item"
  return 0
}

# Chooses the item in the given shell host and renames two files through the window.
rename_through_host() {
  local tag=$2 files=$E2E_DIR/rename-$2
  make_files "$files" b.txt a.txt
  choose_context_rename "$1" "$shots/setup-program-$tag-menu.png" \
    "$(winepath -w "$files/a.txt" 2>/dev/null)" "$(winepath -w "$files/b.txt" 2>/dev/null)"
  click "$(wintool child "$RENAME_WINDOW" Edit 0)"
  xdotool type --delay 50 "Set$tag"
  click "$(wintool labelled "$RENAME_WINDOW" Rename)"
  answer_box 'Rename?' >/dev/null
  wait_for 60 "the rename window stays open ($tag host)" -- is 0 wintool count NomaroForm 'Rename Filenames'
  [ "$(ls "$files" | tr '\n' ' ')" = "Set${tag}0001.txt Set${tag}0002.txt " ] ||
    fail "the $tag host renamed to: $(ls "$files" | tr '\n' ' ')"
  is 1 wintool count NomaroShellHost 'Shell host' || fail "the $tag host went down"
  kill "$HOST_PID" 2>/dev/null
  wait "$HOST_PID" 2>/dev/null
}

export_registry before
install_silently || fail "the silent install failed ($?)"
expect_whole_install "after a silent install"
[ "$(reg_value "$NOMARO_UNINSTALL_KEY" InstallLocation)" = "$(winepath -w "$folder" 2>/dev/null)" ] ||
  fail "install location: $(reg_value "$NOMARO_UNINSTALL_KEY" InstallLocation)"
rename_through_host "$host64" x64
rename_through_host "$NOMARO_SHELLHOST" x86

# The shortcut starts the program; while it runs, setup and removal refuse.
wine start /unix "$shortcut" </dev/null >/dev/null 2>&1
START_WINDOW=$(wintool wait NomaroForm Nomaro 180000) || fail "the shortcut started no start window"
# The first start shows the tip of the day over the start window; it stays
# open (the program runs on) until the refusals below are done.
tip=$(wintool wait NomaroForm 'Tip of the Day' 180000) || fail "no tip of the day at the first start"
install_silently
[ $? = 2 ] || fail "a silent setup over the running program did not refuse with code 2"
# Interactively it asks to close the program; Cancel ends it with code 2.
wine "$NOMARO_SETUP" </dev/null >/dev/null 2>&1 &
setup=$!
E2E_PIDS+=($setup)
window=$(dialog_with '&Install') || fail "no setup window"
click "$(wintool labelled "$window" '&Install')"
box=$(dialog_with '&Retry') || fail "no question when installing over the running program"
wintool texts "$box" | grep -qx 'Close it, then choose Retry.' || fail "question: $(wintool texts "$box")"
wait_for 60 "the question stays after Cancel" -- clicked_away "$box" Cancel
wait $setup
[ $? = 2 ] || fail "Cancel over the running program did not end the setup with code 2"
uninstaller=$(winepath -w "$folder/Uninstall.exe" 2>/dev/null)
wine "$uninstaller" </dev/null >/dev/null 2>&1
box=$(wintool wait '#32770' "Nomaro $NOMARO_VERSION Uninstall" 180000) || fail "no message when removing the running program"
wintool texts "$box" | grep -q '^Nothing was removed. Close it' || fail "refusal: $(wintool texts "$box")"
wait_for 60 "the refusal stays after OK" -- clicked_away "$box" OK
wait_for 60 "the refusing uninstaller does not end" -- is "" uninstaller_copies
wine "$uninstaller" /S "_?=$(winepath -w "$folder" 2>/dev/null)" </dev/null >/dev/null 2>&1
[ $? = 2 ] || fail "a silent removal of the running program did not refuse with code 2"
expect_whole_install "after refusing to remove the running program"
click "$(wintool labelled "$tip" OK)"
keys_to "$START_WINDOW" Escape
wait_for 60 "the program did not end" -- is 0 wintool count NomaroForm Nomaro

uninstall_quietly || fail "the quiet uninstall command failed ($?)"
expect_nothing_left "after the silent removal"

install_silently && printf '[kept]\r\nby=user\r\n' >>"$folder/filename.ini" && install_silently ||
  fail "installing twice in a row failed"
expect_whole_install "after installing twice"
grep -q '^by=user' "$folder/filename.ini" || fail "the second install replaced the user's settings"

# Removed interactively, the changed settings stay when asked, for the next install.
wine "$uninstaller" </dev/null >/dev/null 2>&1
window=$(dialog_with '&Uninstall') || fail "no uninstaller window"
click "$(wintool labelled "$window" '&Uninstall')"
question=$(dialog_with '&Yes') || fail "no question about the changed settings"
wintool texts "$question" | grep -q '^Keep them for a later install?' || fail "question: $(wintool texts "$question")"
click "$(wintool labelled "$question" '&Yes')"
close=$(dialog_with '&Close') || fail "the uninstaller did not finish"
click "$(wintool labelled "$close" '&Close')"
wait_for 60 "the uninstaller does not end" -- is "" uninstaller_copies
[ "$(installed_files)" = "filename.ini " ] || fail "kept after an interactive removal: $(installed_files)"
install_silently && grep -q '^by=user' "$folder/filename.ini" || fail "the kept settings were not taken up"

# The folder deleted by hand: the setup program repairs the install.
rm -rf "$folder"
uninstall_quietly && fail "the uninstaller ran from a deleted folder"
item_offered 64 && fail "an item without its server"
install_silently || fail "the setup program did not repair the install"
expect_whole_install "after repairing"
uninstall_quietly || fail "the quiet uninstall command failed after repairing ($?)"
expect_nothing_left "after the last removal"

export_registry after
# Nothing of ours stays, and no key where setup writes changed (Wine changes others).
ours='nomaro|contextmenu\.cmenu|^[<>] \[HKEY_[A-Z_]+\\Software\\(Classes|Microsoft\\Windows\\CurrentVersion\\Uninstall)'"|${clsid:1:36}"
for hive in HKEY_CURRENT_USER HKEY_LOCAL_MACHINE; do
  left=$(diff "$E2E_DIR/$hive-before.txt" "$E2E_DIR/$hive-after.txt" | grep -iE "$ours")
  [ -z "$left" ] || fail "changed in $hive: $left"
done
# With Wine's menu builder on, the shortcut gets a menu file in the desktop's
# menu folder ($XDG_CONFIG_HOME/menus, else ~/.config/menus) as well as a
# .desktop file; removal takes the menu file away (Wine takes the other).
for menus in xdg home; do
  (
    export WINEDLLOVERRIDES=$overrides_with_menus
    if [ $menus = xdg ]; then
      export XDG_CONFIG_HOME=$E2E_DIR/xdg-config XDG_DATA_HOME=$E2E_DIR/xdg-data
      menu=$XDG_CONFIG_HOME/menus
    else
      unset XDG_CONFIG_HOME XDG_DATA_HOME
      export HOME=$E2E_DIR/home
      menu=$HOME/.config/menus
    fi
    menu=$menu/applications-merged/wine-Programs-Nomaro.menu
    install_silently || fail "the silent install with the menu builder failed ($?)"
    # The menu builder runs beside the setup program.
    wait_for 120 "the menu builder wrote no menu file ($menus)" -- test -f "$menu"
    uninstall_quietly || fail "the quiet uninstall command failed with the menu builder ($?)"
    [ ! -e "$menu" ] || fail "the removal left the menu file ($menus): $menu"
  ) || exit 1
done
echo "installed, used by both hosts and the shortcut, refused while running, removed without a trace"
