#!/usr/bin/env bash
# Prints from the real list window onto a real PDF printer (CUPS with
# cups-pdf, the system's default printer) and reads the PDFs back: a list of
# three pages in portrait, then a list of one page in landscape. Runs as root:
# it configures and starts cupsd and stops it again, also on failure.
source "$(dirname "$0")/lib.sh"

PRINT_LINES=180   # three pages (72 lines each) in the document's font on A4
PRINT_OUT=$NOMARO_BUILD/print-out
CUPS_PID=

stop_cups() {
  [ -n "$CUPS_PID" ] || return 0
  kill "$CUPS_PID" 2>/dev/null
  # In a subshell: a failure here is reported, and the cleanup still runs.
  (wait_for 30 "cupsd does not stop" -- gone "$CUPS_PID")
  CUPS_PID=
}
trap 'stop_cups; e2e_cleanup' EXIT

# cups-pdf writes into the build tree; cupsd runs before Wine starts, since
# Wine reads the printers once when it starts.
[ "$(id -u)" = 0 ] || fail "needs root to run cupsd"
rm -rf "$PRINT_OUT"
mkdir -p "$PRINT_OUT"
# cups-pdf reads its configuration at every job, so a scheduler left running
# (by an interrupted run, say) serves as well; only one started here is stopped.
sed -i "s|^#\?Out .*|Out $PRINT_OUT|" /etc/cups/cups-pdf.conf
if [ -f /run/cups/cupsd.pid ] && kill -0 "$(cat /run/cups/cupsd.pid)" 2>/dev/null; then
  started_here=false
else
  started_here=true
  /usr/sbin/cupsd || fail "cupsd did not start"
fi
cups_running() { [ -f /run/cups/cupsd.pid ] && lpstat -r 2>/dev/null | grep -q "is running"; }
wait_for 30 "the CUPS scheduler does not run" -- cups_running
if $started_here; then CUPS_PID=$(cat /run/cups/cupsd.pid 2>/dev/null) || fail "cupsd wrote no pid"; fi
lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null || fail "lpadmin -p PDF"
lpadmin -d PDF || fail "lpadmin -d PDF"

use_prefix "$NOMARO_WIN/wineprefix"
NOMARO_PRINT_LINES=$PRINT_LINES wine "$NOMARO_PRINT_CHECK" >"$E2E_DIR/print-check.log" 2>&1 ||
  { cat "$E2E_DIR/print-check.log"; fail "the print check failed"; }

# The two jobs, in the order they were printed, once the queue is empty.
both_jobs_printed() {
  pdfs=$(ls "$PRINT_OUT"/*.pdf 2>/dev/null | sed 's/.*job_\([0-9]*\).*/\1 &/' | sort -n | cut -d' ' -f2-)
  [ "$(echo "$pdfs" | grep -c pdf)" = 2 ] && [ -z "$(lpstat -o PDF 2>/dev/null)" ]
}
wait_for 180 "expected two PDFs in $PRINT_OUT and an empty queue" -- both_jobs_printed
portrait=$(echo "$pdfs" | sed -n 1p)
landscape=$(echo "$pdfs" | sed -n 2p)

# Pages and rotation (cups-pdf turns landscape pages by 90 degrees).
info() { pdfinfo "$1" | sed -n 's/^Pages: *//p; s/^Page rot: *//p' | tr '\n' ' '; }
[ "$(info "$portrait")" = "3 0 " ] || fail "portrait job: pages and rotation $(info "$portrait")"
[ "$(info "$landscape")" = "1 90 " ] || fail "landscape job: pages and rotation $(info "$landscape")"

# Every line exactly once and in order.
lines_of() { pdftotext "$1" - | grep -Eo 'Line [0-9]{3} of the list'; }
expected() { for n in $(seq 1 "$1"); do printf 'Line %03d of the list\n' "$n"; done; }
diff <(lines_of "$portrait") <(expected $PRINT_LINES) >&2 || fail "the portrait job's lines differ"
diff <(lines_of "$landscape") <(expected 5) >&2 || fail "the landscape job's lines differ"
pdftotext "$landscape" - | grep -Eq '^Nomaro 3\.1 +Time: .*Page: 1$' || fail "no header in the landscape job"

# Rows of the top inch dark across most of the paper: the rule under the
# header (300 dpi without smoothing, where it is one pixel high).
rule_rows() {
  pdftoppm -gray -r 300 -aa no -aaVector no -f "$2" -l "$2" -H 300 "$1" | python3 -c '
import sys
magic, width, height, depth, pixels = sys.stdin.buffer.read().split(maxsplit=4)
w, h = int(width), int(height)
pixels = pixels[-w * h:]
print(sum(sum(p < 128 for p in pixels[y * w:(y + 1) * w]) > 0.9 * w for y in range(h)))'
}
for p in 1 2 3; do
  [ "$(rule_rows "$portrait" $p)" -ge 1 ] || fail "page $p: no rule under the header"
  # The body one inch (72 points) from the paper's edges: left edge of every
  # line, top of the first line, bottom of the last.
  read -r left top bottom < <(pdftotext -bbox -f $p -l $p "$portrait" - |
    awk -F'"' '/>Line</ { if (n++ == 0 || $2 < l) l = $2; if (n == 1) t = $4; if ($8 > b) b = $8 }
               END { printf "%d %d %d\n", l + 0.5, t + 0.5, b + 0.5 }')
  [ "$left" -ge 71 ] && [ "$left" -le 73 ] || fail "page $p: body starts $left pt from the left edge"
  [ "$top" -ge 72 ] && [ "$top" -le 90 ] || fail "page $p: body starts $top pt from the top edge"
  [ "$bottom" -le $((842 - 72)) ] || fail "page $p: body ends $bottom pt from the top edge"
done
pdftoppm -png -r 50 -f 1 -l 1 "$portrait" "$PRINT_OUT/page" || fail "pdftoppm"
echo "printing: both jobs as expected; page 1 in $PRINT_OUT/page-1.png"
