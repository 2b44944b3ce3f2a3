#!/usr/bin/env bash
# The main job: builds what is missing, then shows the saver's test window under Wine for a while
# (default 20 s) and writes screenshots to screenshots/. Uses $DISPLAY when set, otherwise a private
# Xvfb. Wine runs in a private prefix inside build/, never in ~/.wine.
#   tools/run.sh [seconds] [program and switches, default: reefsaver-basic.scr /t]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
[ $# -gt 0 ] || set -- reefsaver-basic.scr /t
bash "$top/tools/build.sh"
. "$top/tools/wine-env.sh"
env_dir="$top/build/run-env"
mkdir -p "$env_dir"
if [ -z "${DISPLAY:-}" ]; then
  reef_start_xvfb "$env_dir"
  private_display=1
fi
reef_wine_prefix "$env_dir"
shots="$top/screenshots"
mkdir -p "$shots"
echo "run: $* on $DISPLAY for $seconds s; screenshots go to $shots"
cd "$top/build"
wine "$@" &
pid=$!
for ((t = 2; t <= seconds; t += 3)); do
  sleep 3
  kill -0 $pid 2>/dev/null || break
  import -window root "$shots/reefsaver-$(printf '%03d' "$t")s.png" 2>/dev/null || true
done
kill $pid 2>/dev/null || true
wait $pid 2>/dev/null || true
WINEPREFIX="$env_dir/prefix" wineserver -k 2>/dev/null || true
[ -n "${private_display:-}" ] && reef_stop_env "$env_dir"
echo "run: screenshots in $shots:"
ls "$shots"
