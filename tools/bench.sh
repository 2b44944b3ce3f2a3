#!/usr/bin/env bash
# Benchmarks under Wine on a private Xvfb (Mesa llvmpipe): the full scene at 800x600 and
# 1920x1080 (one line per size: "<W>x<H> fps=<n> cpu_ms_per_frame=<n>" and a per-phase split),
# then the creature update and the rendering of single objects.
#   tools/bench.sh [frames]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/build.sh" >/dev/null
cmake --build "$top/build" --target scene_bench world_bench render_bench >/dev/null
cd "$top/build"
export REEF_BUILD_DIR="$top/build" REEF_SOURCE_DIR="$top"
./wine-run.sh tests/scene/scene_bench.exe "${1:-300}" 2>/dev/null | grep -v '^ALSA' | grep -v 'sound\|chunk'
./wine-run.sh tests/world/world_bench.exe 2>/dev/null
./wine-run.sh tests/render/render_bench.exe 2>/dev/null
