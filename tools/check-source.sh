#!/usr/bin/env bash
# Checks what the compiler does not: every C++ file is laid out as .clang-format says, and
# includes point only downwards (formats at the bottom; world and config on it; render on world;
# shell on config; scene on top; the launcher apart); only the application reads the clock, and
# the scene itself stays free of Win32. Prints each offence; fails if there is one.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
status=0

while read -r file; do
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    echo "not formatted: $file (clang-format -i $file)"
    status=1
  fi
done < <(git ls-files '*.cpp' '*.h')

# The folders each folder may include from, besides itself.
declare -A allowed=(
  [formats]=""
  [world]="formats"
  [config]="formats"
  [render]="formats world"
  [shell]="formats config"
  [scene]="formats world config render shell"
  [launcher]=""
)
for folder in "${!allowed[@]}"; do
  while IFS=: read -r file line text; do
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$text")
    [ "$target" = "$folder" ] && continue
    case " ${allowed[$folder]} " in *" $target "*) continue ;; esac
    echo "$file:$line: $folder/ may not include $target/: $text"
    status=1
  done < <(git grep -n -E '^#include "[a-z]+/' -- "$folder")
done

# Time reaches render/ and world/ as a parameter; world/Clock is the clock.
while IFS= read -r hit; do
  echo "$hit: reads the clock; take the frame time as a parameter"
  status=1
done < <(git grep -n -E 'clockNow\(|SDL_GetTicks\(' -- render world ':!world/Clock.*')

# The scene can be drawn into any window, or none: nothing of Win32 in what it includes.
if command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  if echo '#include "scene/SeaScene.h"' | x86_64-w64-mingw32-g++-posix -std=c++17 -I. -fsyntax-only -H -x c++ - 2>&1 |
    grep -q 'windows\.h'; then
    echo "scene/SeaScene.h includes windows.h"
    status=1
  fi
fi
exit $status
