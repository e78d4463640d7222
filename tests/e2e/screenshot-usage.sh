# scripts/screenshot explains itself for --help and refuses an unknown option
# or a missing output name, without starting anything or making any folder.
set -u
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }
out=$("$here/../../scripts/screenshot" --help 2>&1) || fail "--help exited with $?"
[[ $out == usage:\ scripts/screenshot* ]] || fail "--help printed: $out"
for arguments in "--bogus shot.png" "" "--size" "--size big shot.png"; do
  # shellcheck disable=SC2086
  if out=$("$here/../../scripts/screenshot" $arguments 2>&1); then fail "'$arguments' was accepted"; fi
  grep -q "usage: scripts/screenshot\|size must look like" <<<"$out" || fail "'$arguments' printed: $out"
done
[ -z "$(ls -A "$work")" ] || fail "left behind: $(ls -A "$work")"
echo "screenshot usage: ok"
