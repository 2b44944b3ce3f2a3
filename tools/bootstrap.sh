#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine (run as root) and
# cross-builds SDL 1.2 and SDL_mixer 1.2 for Windows x86-64 into deps/. Safe to run again:
# every step is skipped when its result is already there.
#   bootstrap.sh [--release]   --release: also what the CD needs (NSIS, xorriso, signing, PDF checks)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
deps="$top/deps"
prefix="$deps/mingw64"
host=x86_64-w64-mingw32

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xvfb xserver-xorg-core xserver-xorg-video-dummy xauth x11-utils x11-xserver-utils libgl1-mesa-dri libglx-mesa0 mesa-utils
  imagemagick googletest libfreetype-dev fonts-dejavu-core clang-format
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good locales
  xscreensaver-gl xscreensaver-gl-extra
)
if [ "${1:-}" = "--release" ]; then
  packages+=(nsis xorriso poppler-utils osslsigncode openssl)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Source packages for the two SDL libraries.
if ! grep -rqs 'deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  cat > /etc/apt/sources.list.d/reefsaver-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  apt-get update -qq
fi

mkdir -p "$deps/src" "$prefix"
jobs=$(nproc)

if [ ! -f "$prefix/lib/libSDL.a" ]; then
  cd "$deps/src"
  [ -d SDL1.2-* ] 2>/dev/null || ls -d libsdl1.2-*/ >/dev/null 2>&1 || apt-get source -qq libsdl1.2 >/dev/null
  src=$(ls -d libsdl1.2-*/ | head -n 1)
  cd "$src"
  ./configure --host=$host --prefix="$prefix" --disable-shared --enable-static \
    --disable-stdio-redirect --disable-directx >/dev/null
  make -j"$jobs" >/dev/null
  make install >/dev/null
fi

if [ ! -f "$prefix/lib/libSDL_mixer.a" ]; then
  cd "$deps/src"
  ls -d sdl-mixer1.2-*/ >/dev/null 2>&1 || apt-get source -qq sdl-mixer1.2 >/dev/null
  src=$(ls -d sdl-mixer1.2-*/ | head -n 1)
  cd "$src"
  ./configure --host=$host --prefix="$prefix" --disable-shared --enable-static \
    --with-sdl-prefix="$prefix" --disable-sdltest \
    --disable-music-cmd --disable-music-mod --disable-music-mod-modplug --disable-music-mod-mikmod \
    --disable-music-midi --disable-music-timidity-midi --disable-music-native-midi \
    --disable-music-fluidsynth-midi --disable-music-ogg --disable-music-flac --disable-music-mp3 \
    --disable-music-mp3-mad-gpl --disable-smpegtest >/dev/null
  make -j"$jobs" >/dev/null
  make install >/dev/null
fi
echo "bootstrap: dependencies ready in $prefix"
