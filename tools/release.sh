#!/usr/bin/env bash
# Builds everything and the release: the CD tree in build/release/cd/ and its image
# build/release/reefsaver.iso.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/build.sh"
cmake --build "$top/build" --target release
