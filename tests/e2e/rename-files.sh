# From the start window to renamed files on disk, driven with keys and clicks.
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
program=$(copy_program)
photos=$E2E_DIR/photos
make_files "$photos" a.jpg b.JPG c.tar.gz README
rename_settings "$program" "$photos"

start_program "$program"
open_rename_window
rename_all 4 Trip
answer_box 'Rename?' | grep -qx 'Rename the selected file(s)' || fail "wrong question"
answer_box Stop | grep -qx 'Renaiming Complete' || fail "no completion notice"
actual=$(cd "$photos" && ls | sort | tr '\n' ' ')
[ "$actual" = "Trip0001.jpg Trip0002.JPG Trip0003.tar.gz Trip0004.README " ] || fail "files on disk: $actual"
[ "$(cat "$photos/Trip0003.tar.gz")" = c.tar.gz ] || fail "a file lost its content"
close_program
echo "renamed from the start window: $actual"
