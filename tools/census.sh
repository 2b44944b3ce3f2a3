#!/usr/bin/env bash
# A census of what the viewer sees (tests/scene/SceneCensus.cpp): the real scene with the
# full-screen saver's default settings on a private 1280 x 1024 screen, 120 s of driven scene
# time, one line a second and last the medians over the seconds at the camera's start pose:
#   census creatures_seen=<n> creature_px=<n> school_member_px=<n> coral_share=<f> sky_share=<f>
#   tools/census.sh [seconds] [WxH]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-120}
size=${2:-1280x1024}
bash "$top/tools/build.sh" >/dev/null
cmake --build "$top/build" --target scene_census >/dev/null
. "$top/tools/wine-env.sh"
env_dir="$top/build/census-env-$size"
mkdir -p "$env_dir"
trap 'reef_stop_env "$env_dir"' EXIT
reef_wine_env "$env_dir" "${size}x24"
cd "$top/build/tests/scene"
wine scene_census.exe "$seconds" 2>/dev/null | tr -d '\r'
