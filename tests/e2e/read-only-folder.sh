# A settings write into a folder that cannot be written: silent, old values stay.
# The folder is made immutable, which holds even for root (who ignores
# permission bits, and so does Wine running as root).
source "$(dirname "$0")/lib.sh"
use_prefix "$WINEPREFIX"
folder=$E2E_DIR/readonly
mkdir -p "$folder"
cp "$NOMARO_READ_ONLY_FOLDER_CHECK" "$folder/check.exe"
printf '[rename]\r\nlastcat=C:\\Old\r\n' > "$folder/filename.ini"
chattr +i "$folder/filename.ini" "$folder" || fail "cannot make the folder read-only here"
trap 'chattr -i "$folder" "$folder/filename.ini" 2>/dev/null; e2e_cleanup' EXIT
wine "$folder/check.exe" || fail "the write was not silent"
