#!/usr/bin/env bash
# Assembles the CD tree and its ISO 9660 image (Joliet and Rock Ridge names).
# make-cd.sh <cd folder> <iso> <cdcontent> <KvSetupX.exe> <reefsaver-basic.scr> <reefsaver.exe> <Reefglass>
set -euo pipefail
[ $# -eq 7 ] || { echo "usage: make-cd.sh <cd> <iso> <cdcontent> <KvSetupX.exe> <scr> <exe> <data>" >&2; exit 2; }
cd_dir=$1 iso=$2 cdcontent=$3 launcher=$4 scr=$5 exe=$6 data=$7
here=$(cd "$(dirname "$0")" && pwd)
abs() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }

rm -rf "$cd_dir"
mkdir -p "$cd_dir/setup"
"$cdcontent" "$cd_dir"
cp "$launcher" "$cd_dir/KvSetupX.exe"
# Windows reads these files; give them Windows line ends. The menu's files, one for each language
# ("KvSetupX.ini" is Dutch), are written here in UTF-8 and read by the menu in Windows-1252.
for ini in "$here"/KvSetupX*.ini; do
  iconv -f UTF-8 -t WINDOWS-1252 "$ini" | sed 's/$/\r/' > "$cd_dir/$(basename "$ini")"
done
sed 's/$/\r/' "$here/autorun.inf" > "$cd_dir/autorun.inf"
makensis -V2 -INPUTCHARSET UTF8 -DOUTFILE="$(abs "$cd_dir")/setup/ReefsaverSetup.exe" -DSCR="$(abs "$scr")" \
  -DEXE="$(abs "$exe")" -DDATA="$(abs "$data")" "$here/reefsaver.nsi" >/dev/null

rm -f "$iso"
xorriso -as mkisofs -quiet -J -joliet-long -r -V REEFSAVER -o "$iso" "$cd_dir"
echo "make-cd: $(du -h "$iso" | cut -f1) $iso"
