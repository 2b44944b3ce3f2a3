#!/usr/bin/env bash
# The ISO image holds exactly the files of the CD tree, under their Joliet names as well as their
# Rock Ridge names, and the manual on it is a PDF that poppler reads.
# check-image.sh <cd folder> <iso>
set -euo pipefail
TMPDIR_CHECK=$(mktemp -d)
trap 'rm -rf "$TMPDIR_CHECK"' EXIT
cd_dir=$1 iso=$2
fail() { echo "check-image: $*" >&2; exit 1; }
[ -f "$iso" ] || fail "no image $iso"

tree=$(cd "$cd_dir" && find . -type f | sed 's|^\.||' | sort)
[ -n "$tree" ] || fail "empty CD tree"
rock=$(xorriso -indev "$iso" -find / -type f 2>/dev/null | tr -d "'" | sort)
joliet=$(xorriso -read_fs norock -indev "$iso" -find / -type f 2>/dev/null | tr -d "'" | sort)
[ "$tree" = "$rock" ] || fail "Rock Ridge names differ from the tree:"$'\n'"$(diff <(echo "$tree") <(echo "$rock"))"
[ "$tree" = "$joliet" ] || fail "Joliet names differ from the tree:"$'\n'"$(diff <(echo "$tree") <(echo "$joliet"))"

for f in KvSetupX.exe KvSetupX.ini autorun.inf setup/ReefsaverSetup.exe setup/intro.avi setup/bg.bmp \
         docs/Reefsaver.pdf; do
  echo "$tree" | grep -qx "/$f" || fail "missing /$f"
done
# Every file's bytes on the image are the tree's.
for f in $tree; do
  xorriso -osirrox on -indev "$iso" -extract "$f" "$TMPDIR_CHECK/file" >/dev/null 2>&1 || fail "cannot extract $f"
  cmp -s "$TMPDIR_CHECK/file" "$cd_dir$f" || fail "$f differs on the image"
  rm -f "$TMPDIR_CHECK/file"
done
grep -q '^open=KvSetupX.exe' "$cd_dir/autorun.inf" || fail "autorun.inf does not start KvSetupX.exe"
pages=$(pdfinfo "$cd_dir/docs/Reefsaver.pdf" | awk '/^Pages:/ {print $2}')
[ "${pages:-0}" -ge 1 ] || fail "the manual has no pages"
# Read whole before searching: grep -q would close the pipe on pdftotext as soon as it matched.
manual=$(pdftotext "$cd_dir/docs/Reefsaver.pdf" -)
grep -qF "Toetsen van de interactieve versie" <<<"$manual" || fail "manual text unreadable"
echo "check-image: $(echo "$tree" | wc -l) files match"
