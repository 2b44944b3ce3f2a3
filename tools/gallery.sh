#!/usr/bin/env bash
# A contact sheet of the real scene (tests/scene/SceneGallery.cpp): twelve moments at fixed times
# of driven scene time, 1920 x 1080, the full-screen saver's default settings, the same pictures
# every run. Writes build/gallery/moment-<seconds>s.png, the sheet build/gallery/gallery.jpg, and
# the README's three screenshots docs/*.jpg.
#   tools/gallery.sh [WxH]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
size=${1:-1920x1080}
bash "$top/tools/build.sh" >/dev/null
cmake --build "$top/build" --target scene_gallery >/dev/null
. "$top/tools/wine-env.sh"
out="$top/build/gallery"
rm -rf "$out"
mkdir -p "$out"
env_dir="$top/build/gallery-env-$size"
mkdir -p "$env_dir"
trap 'reef_stop_env "$env_dir"' EXIT
reef_wine_env "$env_dir" "${size}x24"
(cd "$top/build/tests/scene" && wine scene_gallery.exe "$(winepath -w "$out")" 2>/dev/null | tr -d '\r')
shots=()
for ppm in "$out"/moment-*.ppm; do
  convert "$ppm" "${ppm%.ppm}.png"
  rm "$ppm"
  shots+=("${ppm%.ppm}.png")
done
[ ${#shots[@]} -eq 12 ] || { echo "gallery: ${#shots[@]} moments drawn, not 12" >&2; exit 1; }
montage "${shots[@]}" -tile 4x3 -geometry 640x360+4+4 -background '#202020' \
  -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -fill white -title "Reefsaver, $size, default settings" \
  "$out/gallery.jpg"
# The README's screenshots: the reef at the start pose, the sky at the top rest, the way back.
mkdir -p "$top/docs"
convert "$out/moment-060s.png" -resize 640x360 -quality 82 "$top/docs/reef.jpg"
convert "$out/moment-022s.png" -resize 640x360 -quality 82 "$top/docs/sky.jpg"
convert "$out/moment-049s.png" -resize 640x360 -quality 82 "$top/docs/tilt.jpg"
echo "gallery: $out/gallery.jpg, docs/reef.jpg, docs/sky.jpg, docs/tilt.jpg"
