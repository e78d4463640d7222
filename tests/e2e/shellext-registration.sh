# The extension in a clean prefix: its exports and imports, every key the
# install script writes, use from another process, and removal of every key.
source "$(dirname "$0")/lib.sh"
use_prefix "$NOMARO_PRISTINE"
program=$(copy_program)
dll=$(dirname "$program")/$SHELLEXT_FILE
clsid='{11757562-0E2B-4BA2-8F39-EF49D9300A9D}'

# `wine reg` sees the 32-bit view unless told; the 64-bit server writes the 64-bit one.
if [ "$WINEARCH" = win64 ]; then objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 view=/reg:64
else objdump=i686-w64-mingw32-objdump format=pei-i386 view=; fi
$objdump -f "$dll" | grep -q "file format $format" || fail "$SHELLEXT_FILE is not $format"
exports=$($objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/^\t\[ *[0-9]+\] / {print $3}' | sort | tr '\n' ' ')
[ "$exports" = "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer " ] ||
  fail "exports: $exports"
for imported in $($objdump -p "$dll" | awk '/DLL Name:/ {print tolower($3)}'); do
  case $imported in
    kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|ole32.dll|oleaut32.dll|comctl32.dll|comdlg32.dll|shlwapi.dll|msvcrt.dll) ;;
    *) fail "the server needs $imported" ;;
  esac
done

keys=("HKCR\\CLSID\\$clsid" "HKCR\\CLSID\\$clsid\\InprocServer32" "HKCR\\CLSID\\$clsid\\ProgID"
      'HKCR\ContextMenu.cMenu' 'HKCR\ContextMenu.cMenu\CLSID' 'HKCR\*\shellex\ContextMenuHandlers\Nomaro')

"$NOMARO_ROOT/scripts/install-shellext" --prefix "$WINEPREFIX" --dll "$dll" >"$E2E_DIR/install.txt" ||
  fail "install-shellext failed: $(cat "$E2E_DIR/install.txt")"
grep -q "regsvr32 $SHELLEXT_FILE" "$E2E_DIR/install.txt" || fail "no instructions for Windows"
[ "$(reg_value "${keys[0]}")" = cMenu ] || fail "class name: $(reg_value "${keys[0]}")"
windll=$(winepath -w "$dll" 2>/dev/null)
server=$(reg_value "${keys[1]}")
[ "${server,,}" = "${windll,,}" ] || fail "server path: $server, expected $windll"
[ "$(reg_value "${keys[1]}" ThreadingModel)" = Apartment ] || fail "threading model"
[ "$(reg_value "${keys[2]}")" = ContextMenu.cMenu ] || fail "ProgID of the class"
[ "$(reg_value "${keys[5]}")" = "$clsid" ] || fail "handler for all files: $(reg_value "${keys[5]}")"

mkdir -p "$E2E_DIR/files"
echo photo > "$E2E_DIR/files/a.jpg"
check=$(wine "$NOMARO_SHELLEXT_CHECK" "$(winepath -w "$E2E_DIR/files" 2>/dev/null)" a.jpg 2>/dev/null | tr -d '\r')
code=$?
echo "$check"
[ $code = 0 ] || fail "the handler cannot be created and used from another process"
grep -qx 'menu item: Rename with &Nomaro' <<<"$check" || fail "no menu item from the handler"

"$NOMARO_ROOT/scripts/uninstall-shellext" --prefix "$WINEPREFIX" --dll "$dll" >/dev/null || fail "uninstall-shellext failed"
for key in "${keys[@]}"; do
  wine reg query "$key" $view >/dev/null 2>&1 && fail "$key is left after uninstalling"
done
wine "$NOMARO_SHELLEXT_CHECK" "$(winepath -w "$E2E_DIR/files" 2>/dev/null)" a.jpg >/dev/null 2>&1 &&
  fail "the class is still created after uninstalling"
echo "registered, created from another process and removed again"
