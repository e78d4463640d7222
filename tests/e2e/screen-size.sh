# The start window's layout choice on a real screen of the given size:
# screen-size.sh 800x600 800. A screen of its own without a window manager
# and without Wine's virtual desktop, so the work area is the whole screen.
size=$1 layout=$2
E2E_SCREEN=$size
source "$(dirname "$0")/lib.sh"
use_prefix "$NOMARO_PRISTINE"
NOMARO_EXPECT_RESOLUTION=$layout NOMARO_EXPECT_FONTS=Small wine "$NOMARO_DISPLAY_CHECK" \
  || fail "screen $size does not give layout $layout"
