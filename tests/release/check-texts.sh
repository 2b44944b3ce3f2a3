#!/usr/bin/env bash
# The CD speaks one language, Dutch, and its manual describes the product as built: every page,
# button and option of the settings dialogs and of the menu appears in the manual exactly as the
# program shows it (read from the generated text files and the launcher's resources), the manual
# promises nothing the product lacks, and the menu's own texts on the CD are Dutch.
# check-texts.sh <cd folder> <data folder> <source folder>
set -euo pipefail
cd_dir=$1 data=$2 src=$3
fail() { echo "check-texts: $*" >&2; failed=1; }
failed=0

manual=$(pdftotext "$cd_dir/docs/Reefsaver.pdf" - | tr -s ' \n\f' '  ')
[ -n "$manual" ] || { echo "check-texts: the manual has no text" >&2; exit 1; }
has() { grep -qF -- "$1" <<<"$manual"; }

# The value of a key in one of the data folder's "key = {value}" files.
text() { sed -n "s/^$2 = {\(.*\)}\r\?$/\1/p" "$data/$1" | head -n 1; }

for key in caption intro boid fish birds sky camera sound screensettings cancel hyperlink_txt boidtype \
           boidcount fishtype birdtype cloudy cloudless automatic top middle bottom scrollspeed \
           resttime_top resttime_bottom on_off volume showclock; do
  label=$(text Language.dat "$key")
  [ -n "$label" ] || fail "Language.dat has no $key"
  has "$label" || fail "the manual does not name \"$label\" ($key)"
done
for key in caption displaymodetext leaveresolution bitsperpixel resolution shadesecondary cancel monitormode \
           monitorprimary monitorevery monitorpanorama; do
  label=$(text ScreenLanguage.dat "$key")
  [ -n "$label" ] || fail "ScreenLanguage.dat has no $key"
  has "$label" || fail "the manual does not name \"$label\" (display-mode $key)"
done

# The menu's buttons as it shows them: the resource captions, the manual button's from the CD.
ini=$(tr -d '\r' < "$cd_dir/KvSetupX.ini")
manual_caption=$(sed -n 's/^dlgbuttonmanualcaption=//p' <<<"$ini")
while IFS= read -r caption; do
  [ "$caption" = "&Handleiding" ] && [ -n "$manual_caption" ] && caption=$manual_caption
  has "${caption//&/}" || fail "the manual does not name the menu button \"${caption//&/}\""
done < <(sed -n 's/^ *CONTROL "\(&[^"]*\)", IDC_.*/\1/p' "$src/launcher/KvSetupX.rc")
has "Ga naar de Orvane website" || fail "the manual does not name the logo's text"

# Nothing the product does not have, nothing from Windows XP, nothing in English.
for phrase in cancel display "add or remove" "eigenschappen voor beeldscherm" "windows xp" \
              "screen saver" "software"; do
  grep -qiF -- "$phrase" <<<"$manual" && fail "the manual still says \"$phrase\""
done
english='\b(the|and|on|this|your|with|about|install|installing|opening|read|look|close|manual|help)\b'
words=$({ grep -oiwE "$english" <<<"$manual" || true; } | sort -u | tr '\n' ' ')
[ -z "$words" ] || fail "the manual has English words: $words"

# The menu's hover, action and button texts on the CD are Dutch too.
menu_texts=$(sed -n 's/^dlgbutton[a-z]*=//p' <<<"$ini")
words=$({ grep -oiwE "$english" <<<"$menu_texts" || true; } | sort -u | tr '\n' ' ')
[ -z "$words" ] || fail "the CD's menu texts have English words: $words"

[ $failed -eq 0 ] && echo "check-texts: the manual and the CD's texts match the product"
exit $failed
