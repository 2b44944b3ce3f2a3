#!/usr/bin/env bash
# How sharp the floor is up close: runs `reefsaver-basic.scr /s` full screen at 1920 x 1080 with the
# camera at its bottom position (CameraPos 3, looking down), takes a few screenshots and prints, for
# each and as their median, the standard deviation of the Laplacian over the bottom fifth of the
# frame (grey levels 0-255): fine detail in the foreground raises it, soft sand keeps it low.
#   tools/floor-detail.sh [folder holding reefsaver-basic.scr and Reefglass/, default build/] [shots]
# The screenshots are kept in build/floor-detail/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
folder=$(realpath "${1:-$top/build}")
shots=${2:-3}
[ -f "$folder/reefsaver-basic.scr" ] || bash "$top/tools/build.sh"
. "$top/tools/wine-env.sh"
env_dir="$top/build/floor-detail-env"
out="$top/build/floor-detail"
mkdir -p "$env_dir" "$out"
reef_wine_env "$env_dir" 1920x1080x24
trap 'reef_stop_env "$env_dir"' EXIT
key='HKCU\Software\Reefsaver\Reefglass'
wine reg add "$key" /v CameraPos /t REG_DWORD /d 3 /f >/dev/null 2>&1
# The drawn frames, not the frame rate, are measured: a modest cap leaves the machine to others.
wine reg add "$key" /v MaxFrameRate /t REG_DWORD /d 20 /f >/dev/null 2>&1

# The Laplacian of the grey picture, shifted by half the range so that its negative values survive.
laplacian_sd() {
  convert "$1" -colorspace gray -gravity south -crop 100%x20%+0+0 +repage -define convolve:scale=1 -bias 50% \
    -morphology Convolve Laplacian:0 -format '%[fx:standard_deviation*255]' info:
}

cd "$folder"
wine reefsaver-basic.scr /s >/dev/null 2>&1 &
saver=$!
# The scene is up once the bottom of the screen is no longer black.
for ((tries = 0; tries < 120; tries++)); do
  sleep 0.5
  import -window root "$out/probe.png" 2>/dev/null || continue
  level=$(convert "$out/probe.png" -gravity south -crop 100%x20%+0+0 +repage -colorspace gray -format '%[fx:mean]' info:)
  awk -v l="$level" 'BEGIN { exit !(l > 0.1) }' && break
done
# A little longer, so that every picture is loaded and the caustics run.
sleep 3
figures=()
for ((i = 0; i < shots; i++)); do
  import -window root "$out/shot-$i.png"
  figure=$(laplacian_sd "$out/shot-$i.png")
  echo "floor-detail shot $i laplacian_sd=$figure"
  figures+=("$figure")
  sleep 2
done
kill $saver 2>/dev/null || true
wait $saver 2>/dev/null || true
rm -f "$out/probe.png"
median=$(printf '%s\n' "${figures[@]}" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
echo "floor-detail 1920x1080 CameraPos=3 laplacian_sd=$median (median of $shots shots in $out)"
