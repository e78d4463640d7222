# Shared by the setup program's test and benchmark: where the setup program
# is, and running its uninstaller as the list of installed programs does.
# Source it after wine-env.sh; it defines variables and functions.

NOMARO_VERSION=$(sed -n 's/^!define NOMARO_VERSION "\(.*\)"/\1/p' "$NOMARO_WIN/installer/version.nsh" 2>/dev/null)
NOMARO_SETUP=$NOMARO_WIN/Nomaro-$NOMARO_VERSION-setup.exe
NOMARO_UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nomaro'

# The processes of this prefix that run the uninstaller's copy.
uninstaller_copies() {
  local pid
  for pid in $(pgrep -f 'nsu[^ ]*\.tmp.Un\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}

# Runs the quiet uninstall command of the installed-programs entry. The
# uninstaller copies itself to the temp folder, starts the copy and returns at
# once (so that it can remove itself), so this waits for the copy too, at
# most 2 minutes (a busy machine). Returns 1 when the command does not start,
# 2 when the copy stays.
uninstall_quietly() {
  local command exe i
  command=$(reg_value "$NOMARO_UNINSTALL_KEY" QuietUninstallString)
  exe=${command#\"}
  exe=${exe%%\"*}
  # shellcheck disable=SC2086  # the arguments after the quoted program
  wine "$exe" ${command##*\"} </dev/null >/dev/null 2>&1 || return 1
  for i in $(seq 1 1200); do
    [ -z "$(uninstaller_copies)" ] && return 0
    sleep 0.1
  done
  return 2
}
