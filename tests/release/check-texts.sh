#!/usr/bin/env bash
# The CD speaks Dutch, English, German and French, and each manual describes the product as built:
# every page, button and option of the settings dialogs and of the menu appears in the manual of a
# language exactly as the program shows it in that language (read from the generated text files,
# the menu's own texts and the CD's configuration files), the manuals promise nothing the product
# lacks, and no manual or menu file slips into another of the languages.
# check-texts.sh <cd folder> <data folder> <source folder>
set -euo pipefail
cd_dir=$1 data=$2 src=$3
fail() { echo "check-texts: $*" >&2; failed=1; }
failed=0
languages=(NL EN DE FR)

# The value of a key in a section of one of the data folder's "key = {value}" files (Windows-1252),
# in UTF-8; a key the section lacks is read from "NL", as the saver reads it.
section_text() {
  iconv -f WINDOWS-1252 -t UTF-8 "$data/$1" | tr -d '\r' |
    awk -v section="[$2]" -v key="$3" '
      /^\[/ { inside = ($0 == section) }
      inside && index($0, key " = {") == 1 { value = substr($0, length(key) + 5); sub(/}$/, "", value); print value; exit }'
}
text() {
  local value
  value=$(section_text "$1" "$2" "$3")
  [ -n "$value" ] || value=$(section_text "$1" NL "$3")
  echo "$value"
}

# Column n (1 NL, 2 EN, 3 DE, 4 FR) of a row of the menu's own texts, in UTF-8.
menu_text() {
  tr -d '\n' < "$src/launcher/MenuLanguage.cpp" | sed 's/" *"//g' |
    sed -n "s/.*constexpr Row $1 = {\([^}]*\)}.*/\1/p" |
    awk -F '", *"' -v n="$2" '{ gsub(/^ *"|" *$/, ""); print $n }' |
    while IFS= read -r value; do printf '%b' "$value" | iconv -f WINDOWS-1252 -t UTF-8; done
}

# Words that give a language away where another should stand.
english='\b(the|and|this|your|with|about|install|installing|opening|read|look|close|manual|help)\b'
dutch='\b(het|een|niet|wordt|naar|klik|kies|geluid|scherm|instellingen|handleiding)\b'
german='\b(und|nicht|mit|wird|klicken|einstellungen)\b'
others() {
  case $1 in
    NL) echo "$english|$german" ;;
    EN) echo "$dutch|$german" ;;
    DE) echo "$english|$dutch" ;;
    FR) echo "$dutch|$german" ;;
  esac
}

for n in 1 2 3 4; do
  lang=${languages[$((n - 1))]}
  if [ "$lang" = NL ]; then pdf=docs/Reefsaver.pdf ini=KvSetupX.ini; else pdf=docs/Reefsaver.$lang.pdf ini=KvSetupX.$lang.ini; fi
  [ -f "$cd_dir/$pdf" ] || { fail "the CD has no manual $pdf"; continue; }
  [ -f "$cd_dir/$ini" ] || { fail "the CD has no menu file $ini"; continue; }
  manual=$(pdftotext "$cd_dir/$pdf" - | tr -s ' \n\f' '  ')
  [ -n "$manual" ] || { fail "$pdf has no text"; continue; }
  has() { grep -qF -- "$1" <<<"$manual"; }
  ini_text=$(iconv -f WINDOWS-1252 -t UTF-8 "$cd_dir/$ini" | tr -d '\r')

  # The menu reads this file's manual, and it is this one.
  grep -qxF "manual=${pdf//\//\\}" <<<"$ini_text" || fail "$ini does not open $pdf"

  for key in caption intro boid fish birds sky camera sound screensettings cancel hyperlink_txt boidtype \
             boidcount fishtype birdtype cloudy cloudless automatic top middle bottom scrollspeed \
             resttime_top resttime_bottom on_off volume showclock; do
    label=$(text Language.dat "$lang" "$key")
    [ -n "$label" ] || fail "Language.dat has no $key in $lang"
    has "$label" || fail "$pdf does not name \"$label\" ($key)"
  done
  for key in caption displaymodetext leaveresolution bitsperpixel resolution shadesecondary cancel monitormode \
             monitorprimary monitorevery monitorpanorama; do
    label=$(text ScreenLanguage.dat "$lang" "$key")
    [ -n "$label" ] || fail "ScreenLanguage.dat has no $key in $lang"
    has "$label" || fail "$pdf does not name \"$label\" (display-mode $key)"
  done

  # The menu's buttons as it shows them: its own captions, the manual button's from the CD's file.
  manual_caption=$(sed -n 's/^dlgbuttonmanualcaption=//p' <<<"$ini_text")
  for row in kInstall kManual kSupport kBrowse kExit; do
    caption=$(menu_text "$row" "$n")
    [ "$row" = kManual ] && [ -n "$manual_caption" ] && caption=$manual_caption
    [ -n "$caption" ] || fail "the menu has no $row caption in $lang"
    has "${caption//&/}" || fail "$pdf does not name the menu button \"${caption//&/}\""
  done
  logo=$(menu_text kLogo "$n")
  has "${logo% ...}" || fail "$pdf does not name the logo's text \"${logo% ...}\""

  # Nothing the product does not have, nothing from Windows XP, nothing in another language.
  for phrase in "add or remove" "eigenschappen voor beeldscherm" "windows xp"; do
    grep -qiF -- "$phrase" <<<"$manual" && fail "$pdf still says \"$phrase\""
  done
  if [ "$lang" = NL ]; then
    for phrase in cancel display "screen saver" software; do
      grep -qiF -- "$phrase" <<<"$manual" && fail "$pdf still says \"$phrase\""
    done
  fi
  words=$({ grep -oiE "$(others "$lang")" <<<"$manual" || true; } | sort -u | tr '\n' ' ')
  [ -z "$words" ] || fail "$pdf has words of another language: $words"

  # The menu's hover, action and button texts on the CD are in the file's language too.
  menu_texts=$(sed -n 's/^dlgbutton[a-z]*=//p' <<<"$ini_text")
  [ -n "$menu_texts" ] || fail "$ini has no texts for the menu"
  words=$({ grep -oiE "$(others "$lang")" <<<"$menu_texts" || true; } | sort -u | tr '\n' ' ')
  [ -z "$words" ] || fail "$ini has words of another language: $words"
done

[ $failed -eq 0 ] && echo "check-texts: the manuals and the CD's texts match the product in every language"
exit $failed
