# A rename of 3,000 files cut off by ending the program part-way, then the
# rename window opened again: the offer to take the batch back, answered Yes
# (every first name back at once) and No (taken back later with Undo Last Rename).
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
program=$(copy_program)
photos=$E2E_DIR/photos
count=3000
mkdir -p "$photos"
(cd "$photos" && for i in $(seq -w 1 $count); do echo "photo $i" > "p$i.jpg"; done)
original=$(cd "$photos" && ls | sort | md5sum)
rename_settings "$program" "$photos"

open_rename_window() {
  start_program "$program"
  keys_to "$START_WINDOW" Return
  window=$(wintool wait NomaroForm 'Nomaro 3.1 (Rename)' 30000) || fail "no rename window"
}

renamed_any() { ls "$photos" | grep -q '^Trip'; }

# Collects every file of the folder, starts renaming them to Trip and ends
# the program once some, not all, have their new names.
rename_and_cut_off() {
  open_rename_window
  local files list renamed
  files=$(wintool child "$window" ListBox 1) || fail "no file list"
  wait_for 60 "the file box does not hold every file" -- is $count wintool items "$files"
  click_list "$files"
  xdotool key ctrl+Home shift+End
  click "$(wintool labelled "$window" '> SELECT >')"
  list=$(wintool child "$window" ListBox 2) || fail "no rename list"
  wait_for 60 "the rename list does not hold every file" -- is $count wintool items "$list"
  click "$(wintool child "$window" Edit 1)"
  xdotool type --delay 50 Trip
  click "$(wintool labelled "$window" RENAME)"
  answer_box 'Rename?' >/dev/null
  wait_for 60 "no file renamed" -- renamed_any
  kill -KILL "$PROGRAM_PID"
  wait_exit "$PROGRAM_PID" 30 >/dev/null
  renamed=$(ls "$photos" | grep -c '^Trip')
  [ "$renamed" -gt 0 ] && [ "$renamed" -lt $count ] || fail "$renamed of $count files renamed when the program ended"
  echo "$renamed"
}

# The offer when the window opens again; prints its text.
answer_offer() {
  local text
  text=$(answer_box 'Undo Last Rename' "$1") || exit 1
  echo "$text" | grep -q "interrupted: $2 of $count file(s) had been renamed" || fail "offer: $text"
}

expect_first_names() {
  local report
  report=$(answer_box 'Undo Last Rename') || exit 1
  echo "$report" | grep -q "^$1 of $1 file(s) have their old names again" || fail "report: $report"
  [ "$(cd "$photos" && ls | sort | md5sum)" = "$original" ] || fail "not every first name is back"
  [ "$(cat "$photos/p0042.jpg")" = "photo 0042" ] || fail "a file lost its content"
}

close_program() {
  xdotool key Escape
  answer_box 'Exit?' >/dev/null
  wait_exit "$PROGRAM_PID" 30 || fail "the program ended with an error"
}

renamed=$(rename_and_cut_off) || exit 1
open_rename_window
answer_offer '&Yes' "$renamed"
expect_first_names "$renamed"
close_program
echo "cut off after $renamed of $count files, taken back when the window opened"

renamed=$(rename_and_cut_off) || exit 1
open_rename_window
answer_offer '&No' "$renamed"
[ "$(ls "$photos" | grep -c '^Trip')" = "$renamed" ] || fail "No changed names"
# The menu bar, File opened, the item below New.
keys_to "$window" F10
wait_for 30 "F10 opened no menu" -- wintool inmenu
xdotool key Down Down Return
answer_box 'Undo Last Rename' '&Yes' >/dev/null
expect_first_names "$renamed"
close_program
echo "cut off after $renamed of $count files, taken back later with Undo Last Rename"
