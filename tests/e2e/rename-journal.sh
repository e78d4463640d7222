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
renamed_any() { ls "$photos" | grep -q '^Trip'; }

for answer in '&Yes' '&No'; do
  # Every file of the folder renamed to Trip, the program ended once some, not all, have their new names.
  start_program "$program"
  open_rename_window
  rename_all $count Trip
  answer_box 'Rename?' >/dev/null
  wait_for 60 "no file renamed" -- renamed_any
  kill -KILL "$PROGRAM_PID"
  wait_exit "$PROGRAM_PID" 30 >/dev/null
  # The wine server closes a killed program's handles, its journal's among them, when it
  # cleans the process up, which may come after the Unix process has gone; its window goes
  # in the same step. Opened before that, the journal counts as held by a running batch.
  wintool gone "$WINDOW" 30000 || fail "the killed program's window stays"
  renamed=$(ls "$photos" | grep -c '^Trip')
  [ "$renamed" -gt 0 ] && [ "$renamed" -lt $count ] || fail "$renamed of $count files renamed when the program ended"

  start_program "$program"
  open_rename_window
  offer=$(answer_box 'Undo Last Rename' "$answer") || exit 1
  grep -q "interrupted: $renamed of $count file(s) had been renamed" <<<"$offer" || fail "offer: $offer"
  if [ "$answer" = '&No' ]; then
    [ "$(ls "$photos" | grep -c '^Trip')" = "$renamed" ] || fail "No changed names"
    # The menu bar, File opened, the item below New.
    keys_to "$WINDOW" F10
    wait_for 30 "F10 opened no menu" -- wintool inmenu
    xdotool key Down Down Return
    answer_box 'Undo Last Rename' '&Yes' >/dev/null
  fi
  report=$(answer_box 'Undo Last Rename') || exit 1
  grep -q "^$renamed of $renamed file(s) have their old names again" <<<"$report" || fail "report: $report"
  [ "$(cd "$photos" && ls | sort | md5sum)" = "$original" ] || fail "not every first name is back"
  [ "$(cat "$photos/p0042.jpg")" = "photo 0042" ] || fail "a file lost its content"
  close_program
  echo "cut off after $renamed of $count files, answered $answer, every first name back"
done
