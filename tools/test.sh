#!/usr/bin/env bash
# Builds everything, checks the layout and include direction of the sources and runs every test
# under Wine on a private Xvfb. Screenshots and other artefacts of the run are left in
# build/artifacts/ (BMP captures are also converted to PNG).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# The CD tests assemble the CD and its image themselves.
bash "$top/tools/bootstrap.sh" --release
bash "$top/tools/build.sh"
. "$top/tools/wine-env.sh"
status=0
bash "$top/tools/check-source.sh" || status=$?
(cd "$top/build" && ctest --output-on-failure --timeout 600) || status=$?
if [ -d "$top/build/artifacts" ]; then
  find "$top/build/artifacts" -name '*.bmp' | while read -r f; do convert "$f" "${f%.bmp}.png" 2>/dev/null || true; done
fi
for env in "$top"/build/test-env*; do [ -d "$env" ] && reef_stop_env "$env"; done
exit $status
