#!/usr/bin/env bash
# Benchmarks on private Xvfb screens (Mesa llvmpipe), all stopped again at the end:
#  1. The real `reefsaver-basic.scr /s` under Wine and XScreenSaver's `glschool` (native, with fog,
#     no frame delay), full screen at 800x600 and at 1920x1080, frames counted the same way for
#     both: Mesa's Gallium HUD writes the frame rate to a file every half second. One line per size:
#     "<W>x<H> reefsaver fps=<n> glschool fps=<n> ratio_to_glschool=<n>", and the time from the
#     start of `/s` to its first drawn frames. From the same HUD dumps, with XScreenSaver's
#     `atlantis` beside them, what each program asks of the driver per frame: "<W>x<H> <program>
#     frag_per_pixel=<n> vertices=<n>", fragments (the fragment shader's invocations) per pixel of
#     the screen and vertices sent. For the saver these are medians over its first 8 s, where the
#     automatic camera rests at its start pose, and "top_frag_per_pixel=<n>" from a run with the
#     view fixed at the top (CameraPos 1, mostly sky). Last, what that many fragments cost at best:
#     a full-screen window under Wine that paints 2.2 screens of one plain texture a frame (opaque,
#     unfogged, a texel a pixel), "<W>x<H> textured_fill screens=2.2 fps=<n> ratio_to_glschool=<n>".
#  2. The same `/s` on monitors of 1280x1024 (Xorg's dummy driver): alone, and with a second
#     monitor beside it and MonitorMode 1 (the sea on both): "1280x1024 one_monitor fps=<n>
#     two_monitors fps=<n>", then MonitorMode 2 (the lagoon going on across both, the second view
#     turned to the side): "panorama fps=<n>". Each frame draws every view once and swaps each, so
#     the HUD's count of swaps is divided by the number of views.
#  3. On a 160x120 screen, where filling pixels costs next to nothing and a frame's cost is what
#     the programs' own threads do: `/s`, XScreenSaver's `atlantis` and `glschool`, and an empty
#     frame (a full-screen window cleared and swapped, what Wine and the driver cost a frame):
#     "160x120 reefsaver fps=<n> atlantis fps=<n> ratio_to_atlantis=<n>", then "glschool fps=<n>
#     empty_frame fps=<n>".
#  4. At 1920x1080 with the frame rate capped at 60: the CPU time of the saver's main thread per
#     frame, "cpu_ms_per_frame_at_cap=<n>". That thread runs the update and the GL calls, and
#     under llvmpipe also the driver's vertex stage; llvmpipe's rasteriser threads are left out.
#  5. The full scene in-process at both sizes ("<W>x<H> fps=<n> cpu_ms_per_frame=<n>", the split
#     into update, render and swap, the time of each drawing layer alone and the fragments per
#     pixel each layer adds at the start pose and at the top), then the creature update and the
#     rendering of single objects.
#   tools/bench.sh [frames] [seconds per program]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
frames=${1:-300}
seconds=${2:-12}
bash "$top/tools/build.sh" >/dev/null
cmake --build "$top/build" --target scene_bench world_bench render_bench empty_frame_bench reefsaver-basic >/dev/null
. "$top/tools/wine-env.sh"

bench="$top/build/bench-env"
glschool=/usr/libexec/xscreensaver/glschool
atlantis=/usr/libexec/xscreensaver/atlantis
mkdir -p "$bench"
started=()
stop_all() {
  WINEPREFIX="$bench/prefix" wineserver -k 2>/dev/null || true
  local dir
  for dir in "${started[@]}"; do reef_stop_env "$dir"; done
}
trap stop_all EXIT

# screen SIZE: a private Xvfb of that size, made current.
screen() {
  local dir="$bench/screen-$1"
  mkdir -p "$dir"
  reef_start_xvfb "$dir" "$1x24"
  started+=("$dir")
}

# The HUD's counters, dumped every half second: frames a second, and per frame the fragment
# shader's invocations (one a fragment drawn) and the vertices sent.
hud=simple,fps,ps-invocations,ia-vertices

# hud_fps NAME: mean of the frame rates, leaving out the first two seconds.
hud_fps() {
  awk 'NR > 4 { sum += $1; n++ } END { if (n) printf "%.1f", sum / n; else printf "0" }' "$bench/hud-$1/fps" \
    2>/dev/null || echo 0
}

# hud_median NAME COUNTER [SECONDS]: median of a counter's samples from the first second on, up to
# SECONDS when given.
hud_median() {
  local last=1000000
  [ -n "${3:-}" ] && last=$(($3 * 2))
  awk -v last="$last" 'NR > 2 && NR <= last { print $1 }' "$bench/hud-$1/$2" 2>/dev/null | sort -g |
    awk '{ v[NR] = $1 } END { if (NR) printf "%.0f", v[int((NR + 1) / 2)]; else printf "0" }'
}

# per_pixel VALUE SIZE: VALUE divided by the pixels of a WxH screen.
per_pixel() {
  awk -v v="$1" -v size="$2" 'BEGIN { split(size, d, "x"); printf "%.2f", v / (d[1] * d[2]) }'
}

# measure NAME COMMAND...: runs COMMAND for $seconds with the HUD dumping into a fresh folder.
measure() {
  local dump="$bench/hud-$1"
  shift
  rm -rf "$dump"
  mkdir -p "$dump"
  GALLIUM_HUD=$hud GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=0.5 GALLIUM_HUD_DUMP_DIR="$dump" \
    timeout -s TERM "$seconds" "$@" >/dev/null 2>&1 || true
}

# startup: seconds from starting `/s` until the HUD has seen its second frame (a value is written
# at every frame after the first).
startup() {
  local dump="$bench/hud-startup"
  rm -rf "$dump"
  mkdir -p "$dump"
  local begin end
  begin=$(date +%s%N)
  GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=0.001 GALLIUM_HUD_DUMP_DIR="$dump" \
    wine reefsaver-basic.scr /s >/dev/null 2>&1 &
  local pid=$!
  for _ in $(seq 1 1000); do
    [ -s "$dump/fps" ] && break
    kill -0 $pid 2>/dev/null || break
    sleep 0.01
  done
  end=$(date +%s%N)
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
  if [ -s "$dump/fps" ]; then
    awk -v ns=$((end - begin)) 'BEGIN { printf "%.2f", ns / 1e9 }'
  else
    echo "none"
  fi
}

cd "$top/build"
# Sound goes to a file no one reads; the saver runs uncapped whatever another change reads.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
settings='HKCU\Software\Reefsaver\Reefglass'
# The fragments per pixel that the textured fill paints: the most the saver's frame is meant to.
fill_screens=2.2
for size in 800x600 1920x1080; do
  screen "$size"
  reef_wine_prefix "$bench"
  wineserver -p
  wine reg add "$settings" /v MaxFrameRate /t REG_DWORD /d 0 /f >/dev/null 2>&1
  measure "reef-$size" wine reefsaver-basic.scr /s
  wine reg add "$settings" /v CameraPos /t REG_DWORD /d 1 /f >/dev/null 2>&1
  measure "reef-top-$size" wine reefsaver-basic.scr /s
  wine reg delete "$settings" /v CameraPos /f >/dev/null 2>&1
  measure "glschool-$size" "$glschool" -root -delay 0 -fog
  measure "atlantis-$size" "$atlantis" -root -delay 0
  measure "fill-$size" wine tests/render/empty_frame_bench.exe "$fill_screens"
  first=$(startup)
  wineserver -k 2>/dev/null || true
  reef=$(hud_fps "reef-$size")
  school=$(hud_fps "glschool-$size")
  ratio=$(awk -v a="$reef" -v b="$school" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "0" }')
  echo "$size reefsaver fps=$reef glschool fps=$school ratio_to_glschool=$ratio"
  echo "  reefsaver-basic.scr /s: first frames drawn ${first} s after start"
  echo "$size reefsaver frag_per_pixel=$(per_pixel "$(hud_median "reef-$size" ps_invocations 8)" "$size")" \
    "vertices=$(hud_median "reef-$size" ia_vertices 8)" \
    "top_frag_per_pixel=$(per_pixel "$(hud_median "reef-top-$size" ps_invocations)" "$size")"
  for peer in glschool atlantis; do
    echo "$size $peer frag_per_pixel=$(per_pixel "$(hud_median "$peer-$size" ps_invocations)" "$size")" \
      "vertices=$(hud_median "$peer-$size" ia_vertices)"
  done
  fill=$(hud_fps "fill-$size")
  echo "$size textured_fill screens=$fill_screens fps=$fill" \
    "ratio_to_glschool=$(awk -v a="$fill" -v b="$school" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "0" }')"
done

# main_thread_ticks PID: clock ticks (user and system) of the process's first thread, the one
# that runs WinMain under Wine.
main_thread_ticks() {
  awk '{ print $14 + $15 }' "/proc/$1/task/$1/stat" 2>/dev/null || echo 0
}

# capped_cpu: `/s` at MaxFrameRate 60 for $seconds; the main thread's CPU milliseconds per
# frame over the time after the first two seconds, frames counted by the HUD.
capped_cpu() {
  local dump="$bench/hud-capped"
  rm -rf "$dump"
  mkdir -p "$dump"
  wine reg add "$settings" /v MaxFrameRate /t REG_DWORD /d 60 /f >/dev/null 2>&1
  GALLIUM_HUD=fps GALLIUM_HUD_VISIBLE=false GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR="$dump" \
    timeout -s TERM $((seconds + 6)) wine reefsaver-basic.scr /s >/dev/null 2>&1 &
  local pid=""
  for _ in $(seq 1 500); do
    pid=$(pgrep -f '^reefsaver-basic.scr /s' | head -1 || true)
    [ -n "$pid" ] && [ -s "$dump/fps" ] && break
    sleep 0.01
  done
  sleep 2
  local ticks0 lines0 ticks1 lines1
  ticks0=$(main_thread_ticks "$pid")
  lines0=$(wc -l <"$dump/fps" 2>/dev/null || echo 0)
  sleep $((seconds - 2))
  ticks1=$(main_thread_ticks "$pid")
  lines1=$(wc -l <"$dump/fps" 2>/dev/null || echo 0)
  kill "$pid" 2>/dev/null || true
  wait
  wine reg add "$settings" /v MaxFrameRate /t REG_DWORD /d 0 /f >/dev/null 2>&1
  awk -v a="$lines0" -v b="$lines1" -v t=$((ticks1 - ticks0)) -v hz="$(getconf CLK_TCK)" '
    NR > a && NR <= b { frames += $1 }
    END { if (frames > 0) printf "%.2f", t * 1000 / hz / frames; else printf "0" }' "$dump/fps"
}

screen 160x120
reef_wine_prefix "$bench"
wineserver -p
wine reg add "$settings" /v MaxFrameRate /t REG_DWORD /d 0 /f >/dev/null 2>&1
measure "reef-160x120" wine reefsaver-basic.scr /s
reef=$(hud_fps "reef-160x120")
measure "atlantis-160x120" "$atlantis" -root -delay 0
whales=$(hud_fps "atlantis-160x120")
measure "glschool-160x120" "$glschool" -root -delay 0 -fog
school=$(hud_fps "glschool-160x120")
measure "empty-160x120" wine tests/render/empty_frame_bench.exe
empty=$(hud_fps "empty-160x120")
wineserver -k 2>/dev/null || true
ratio=$(awk -v a="$reef" -v b="$whales" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "0" }')
echo "160x120 reefsaver fps=$reef atlantis fps=$whales ratio_to_atlantis=$ratio"
echo "  glschool fps=$school empty_frame fps=$empty"

screen 1920x1080
reef_wine_prefix "$bench"
wineserver -p
echo "1920x1080 cpu_ms_per_frame_at_cap=$(capped_cpu)"
wineserver -k 2>/dev/null || true

# monitors NAME MONITOR...: an Xorg of those monitors, made current.
monitors() {
  local dir="$bench/monitors-$1"
  shift
  mkdir -p "$dir"
  reef_start_xorg "$dir" "$@"
  started+=("$dir")
}

monitors one 1280x1024@60+0+0
reef_wine_prefix "$bench"
wineserver -p
wine reg add "$settings" /v MaxFrameRate /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "$settings" /v MonitorMode /t REG_DWORD /d 0 /f >/dev/null 2>&1
measure "one-monitor" wine reefsaver-basic.scr /s
one=$(hud_fps "one-monitor")
wineserver -k 2>/dev/null || true
monitors two 1280x1024@60+0+0 1280x1024@60+1280+0
wineserver -p
wine reg add "$settings" /v MonitorMode /t REG_DWORD /d 1 /f >/dev/null 2>&1
measure "two-monitors" wine reefsaver-basic.scr /s
swaps=$(hud_fps "two-monitors")
wine reg add "$settings" /v MonitorMode /t REG_DWORD /d 2 /f >/dev/null 2>&1
measure "panorama" wine reefsaver-basic.scr /s
panoramaSwaps=$(hud_fps "panorama")
wine reg add "$settings" /v MonitorMode /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
two=$(awk -v s="$swaps" 'BEGIN { printf "%.1f", s / 2 }')
panorama=$(awk -v s="$panoramaSwaps" 'BEGIN { printf "%.1f", s / 2 }')
echo "1280x1024 one_monitor fps=$one two_monitors fps=$two panorama fps=$panorama"

# The in-process benchmarks draw into a preview host as large as the larger size.
screen 1920x1080
reef_wine_prefix "$bench"
wine tests/scene/scene_bench.exe "$frames" 2>/dev/null | grep -v '^ALSA' | grep -v 'sound\|chunk' || true
wine tests/world/world_bench.exe 2>/dev/null
wine tests/render/render_bench.exe 2>/dev/null
