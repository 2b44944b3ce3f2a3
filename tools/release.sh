#!/usr/bin/env bash
# Builds everything and the release: the CD tree in build/release/cd/ and its image
# build/release/reefsaver.iso. With a certificate (SIGN_PFX, SIGN_PASSWORD, optionally
# SIGN_TIMESTAMP; see installer/sign.sh) the saver, the interactive build, the menu and the setup
# are signed; without one the release is built unsigned, and says so.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/tools/bootstrap.sh" --release
bash "$top/tools/build.sh"
# Whether and with what the programs are signed is not a file the build can see: the CD is always
# assembled afresh.
rm -f "$top/build/release/cd.stamp"
cmake --build "$top/build" --target release
if [ -n "${SIGN_PFX:-}" ]; then
  echo "release: signed with $SIGN_PFX"
else
  echo "release: unsigned: no certificate given (SIGN_PFX, SIGN_PASSWORD)"
fi
