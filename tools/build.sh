#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything into build/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/bootstrap.sh"
if [ ! -f "$top/build/build.ninja" ]; then
  cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake"
fi
cmake --build "$top/build"
