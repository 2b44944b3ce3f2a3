#!/usr/bin/env bash
# Assembles the CD tree: the menu with its configuration and content, and the setup program that
# carries the saver, the interactive build and their data. With a certificate in SIGN_PFX (see
# sign.sh) the four programs are signed; the saver and the interactive build are signed before
# the setup packs them, from copies in programs/ beside the tree.
# make-cd.sh <cd folder> <cdcontent> <KvSetupX.exe> <reefsaver-basic.scr> <reefsaver.exe> <Reefglass>
set -euo pipefail
[ $# -eq 6 ] || { echo "usage: make-cd.sh <cd> <cdcontent> <KvSetupX.exe> <scr> <exe> <data>" >&2; exit 2; }
cd_dir=$1 cdcontent=$2 launcher=$3 scr=$4 exe=$5 data=$6
here=$(cd "$(dirname "$0")" && pwd)
abs() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
command -v makensis >/dev/null || { echo "make-cd: makensis not found: run tools/bootstrap.sh --release" >&2; exit 1; }

rm -rf "$cd_dir"
mkdir -p "$cd_dir/setup"
cd_dir=$(abs "$cd_dir")
programs=$(dirname "$cd_dir")/programs
rm -rf "$programs"
mkdir -p "$programs"
cp "$scr" "$programs/reefsaver-basic.scr"
cp "$exe" "$programs/reefsaver.exe"
bash "$here/sign.sh" "$programs/reefsaver-basic.scr" "$programs/reefsaver.exe"

"$cdcontent" "$cd_dir"
cp "$launcher" "$cd_dir/KvSetupX.exe"
# Windows reads these files; give them Windows line ends. The menu's files, one for each language
# ("KvSetupX.ini" is Dutch), are written here in UTF-8 and read by the menu in Windows-1252.
for ini in "$here"/KvSetupX*.ini; do
  iconv -f UTF-8 -t WINDOWS-1252 "$ini" | sed 's/$/\r/' > "$cd_dir/$(basename "$ini")"
done
sed 's/$/\r/' "$here/autorun.inf" > "$cd_dir/autorun.inf"
makensis -V2 -INPUTCHARSET UTF8 -DOUTFILE="$cd_dir/setup/ReefsaverSetup.exe" -DSCR="$programs/reefsaver-basic.scr" \
  -DEXE="$programs/reefsaver.exe" -DDATA="$(abs "$data")" "$here/reefsaver.nsi" >/dev/null
bash "$here/sign.sh" "$cd_dir/KvSetupX.exe" "$cd_dir/setup/ReefsaverSetup.exe"
if [ -n "${SIGN_PFX:-}" ]; then
  echo "make-cd: the saver, the interactive build, the menu and the setup are signed with $SIGN_PFX"
else
  echo "make-cd: no certificate given (SIGN_PFX): the programs are not signed"
fi
