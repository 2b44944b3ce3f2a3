#!/usr/bin/env bash
# Draws every model and texture of a data folder onto one picture for review: builds the contact
# sheet program (and the generated data folder) when needed, runs it under Wine on a private Xvfb
# and converts its BMP to PNG.
#   tools/contact-sheet.sh [data folder, default build/Reefglass] [picture, default build/contact-sheet.png]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
data=$(realpath "${1:-$top/build/Reefglass}")
picture=$(realpath -m "${2:-$top/build/contact-sheet.png}")
if [ ! -f "$top/build/build.ninja" ]; then
  bash "$top/tools/bootstrap.sh"
  cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake"
fi
cmake --build "$top/build" --target contactsheet >/dev/null

. "$top/tools/wine-env.sh"
env_dir="$top/build/contact-env"
reef_wine_env "$env_dir"
windows() { printf 'Z:%s' "${1//\//\\}"; }
bmp="$env_dir/contact-sheet.bmp"
rm -f "$bmp"
status=0
wine "$top/build/contactsheet.exe" "$(windows "$data")/" "$(windows "$bmp")" || status=$?
reef_stop_env "$env_dir"
[ -f "$bmp" ] || { echo "contact-sheet: no picture was written" >&2; exit 2; }
mkdir -p "$(dirname "$picture")"
convert "$bmp" "$picture"
echo "contact-sheet: $picture"
exit $status
