#!/usr/bin/env bash
# The full scene under Wine for a long time (30 minutes unless told), once with the default
# settings and once with every creature on, side by side: prints one line per run with its
# frames, GL errors and memory after the first minute and at the end; fails on a GL error or
# more than 5 % growth.
#   tools/soak.sh [minutes]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/build.sh" >/dev/null
cmake --build "$top/build" --target scene_soak >/dev/null
cd "$top/build"
export REEF_BUILD_DIR="$top/build" REEF_SOURCE_DIR="$top"
status=0
for kind in default all; do
  (./wine-run.sh tests/scene/scene_soak.exe "${1:-30}" "$kind" 2>/dev/null | grep '^soak') &
done
for job in $(jobs -p); do wait "$job" || status=1; done
exit $status
