# The extension end to end: the shell host offers the item, the window renames
# the files on disk. Screenshots go to build/screenshots/.
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
program=$(copy_program)
"$NOMARO_ROOT/scripts/install-shellext" --prefix "$WINEPREFIX" --dll "$(dirname "$program")/$SHELLEXT_FILE" >/dev/null \
  || fail "the extension could not be installed"
photos=$E2E_DIR/photos
mkdir -p "$photos"
shots=$NOMARO_BUILD/screenshots
mkdir -p "$shots"
winpaths=()
for name in b.JPG a.jpg c.tar.gz; do
  echo "$name" > "$photos/$name"
  winpaths+=("$(winepath -w "$photos/$name" 2>/dev/null)")
done
choose_context_rename "$NOMARO_SHELLHOST" "$shots/shell-extension$E2E_TAG-menu.png" "${winpaths[@]}"
window=$RENAME_WINDOW
wintool texts "$window" | grep -qx 'Selected = 3' || fail "the window does not list three files: $(wintool texts "$window")"
click "$(wintool child "$window" Edit 0)"
xdotool type --delay 50 Trip
import -window root "$shots/shell-extension$E2E_TAG-window.png"
click "$(wintool labelled "$window" Rename)"
answer_box 'Rename?' | grep -qx 'Rename the selected file(s)?' || fail "wrong question"
wait_for 30 "the window stays open after renaming" -- is 0 wintool count NomaroForm 'Rename Filenames'
actual=$(cd "$photos" && ls | sort | tr '\n' ' ')
[ "$actual" = "Trip0001.jpg Trip0002.JPG Trip0003.tar.gz " ] || fail "files on disk: $actual"
[ "$(cat "$photos/Trip0002.JPG")" = b.JPG ] || fail "a file lost its content"
[ "$(wintool count NomaroShellHost 'Shell host')" = 1 ] || fail "the shell host went down"
echo "renamed through the context menu: $actual"
