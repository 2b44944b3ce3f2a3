#!/usr/bin/env bash
# Fuzzes every reader of outside input natively with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer: models, font, height map, BMP and WAV (through SDL 1.2 and
# SDL_mixer built with the same sanitizers), text tables and the launcher's INI file.
#   tools/fuzz.sh [seconds per harness] [harness...]
# Seeds come from the generated data folder and the CD, plus the inputs kept in
# tests/fuzz/regressions/<harness>; corpora grow in build/fuzz/corpus/.
# Prints one line per harness with its executions; a finding is kept in build/fuzz/findings/
# and makes the script fail.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] ||
  harnesses=(fuzz_model fuzz_font fuzz_heightmap fuzz_bmp fuzz_wav fuzz_texttable fuzz_launcher_ini)

bash "$top/tools/bootstrap.sh" >/dev/null
command -v clang++ >/dev/null && [ -f "$(clang++ -print-resource-dir)/lib/linux/libclang_rt.fuzzer-x86_64.a" ] ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-14-dev >/dev/null
bash "$top/tools/build.sh" >/dev/null  # the generated data folder seeds the corpora

# SDL 1.2 and SDL_mixer from the same Debian sources, natively, with the sanitizers.
native="$top/deps/native-fuzz"
sanitize="-g -O1 -fsanitize=address -fsanitize=fuzzer-no-link"
if [ ! -f "$native/lib/libSDL.a" ]; then
  rm -rf "$native/src/sdl" && mkdir -p "$native/src" && : >"$native/build.log"
  cp -a "$top"/deps/src/libsdl1.2-*/ "$native/src/sdl"
  (cd "$native/src/sdl" && (make distclean >>"$native/build.log" 2>&1 2>&1 || true) &&
    CC=clang CFLAGS="$sanitize" LDFLAGS="$sanitize" ./configure --prefix="$native" --disable-shared \
      --enable-static --disable-video-x11 --disable-video-dga --disable-video-fbcon \
      --disable-video-directfb --disable-video-svga --disable-video-aalib --disable-video-caca \
      --disable-video-ggi --disable-alsa --disable-pulseaudio --disable-esd --disable-arts --disable-nas \
      --disable-oss --disable-joystick --disable-cdrom >>"$native/build.log" 2>&1 &&
    make -j"$(nproc)" >>"$native/build.log" 2>&1 && make install >>"$native/build.log" 2>&1)
fi
if [ ! -f "$native/lib/libSDL_mixer.a" ]; then
  rm -rf "$native/src/mixer"
  cp -a "$top"/deps/src/sdl-mixer1.2-*/ "$native/src/mixer"
  # Only the library: the sample players would link without the sanitizers.
  (cd "$native/src/mixer" && (make distclean >>"$native/build.log" 2>&1 2>&1 || true) &&
    CC=clang CFLAGS="$sanitize" LDFLAGS="$sanitize" ./configure --prefix="$native" --disable-shared \
      --enable-static --with-sdl-prefix="$native" --disable-sdltest --disable-music-cmd \
      --disable-music-mod --disable-music-mod-modplug --disable-music-mod-mikmod --disable-music-midi \
      --disable-music-timidity-midi --disable-music-native-midi --disable-music-fluidsynth-midi \
      --disable-music-ogg --disable-music-flac --disable-music-mp3 --disable-music-mp3-mad-gpl \
      --disable-smpegtest >>"$native/build.log" 2>&1 &&
    make -j"$(nproc)" install-hdrs install-lib >>"$native/build.log" 2>&1)
fi

out="$top/build/fuzz"
cmake -S "$top/tests/fuzz" -B "$out" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DREEF_SDL_PREFIX="$native" >/dev/null
cmake --build "$out" >/dev/null

# Seeds: the files each reader meets in the product, small enough to mutate quickly.
data="$top/build/Reefglass"
seed() {
  local name=$1
  shift
  mkdir -p "$out/seeds/$name" "$out/corpus/$name"
  find "$@" -type f -size -80k -exec cp {} "$out/seeds/$name/" \; 2>/dev/null || true
}
seed fuzz_model "$data" -name '*.nlm'
seed fuzz_font "$data" -name '*.nlf'
seed fuzz_heightmap "$data" -name 'terrain_map.nlt'
seed fuzz_bmp "$data" -name '*.nlt'
seed fuzz_wav "$data" "$top/build/release/cd" -name '*.wav'
seed fuzz_texttable "$data" -name '*.dat'
seed fuzz_launcher_ini "$top/installer" -name '*.ini'
# Above the size limit of the seeds: start from the smallest model and the font all the same.
[ -n "$(ls "$out/seeds/fuzz_model")" ] || cp "$(ls -S "$data"/models/*.nlm | tail -n 1)" "$out/seeds/fuzz_model/"
[ -n "$(ls "$out/seeds/fuzz_font")" ] || cp "$data/font.nlf" "$out/seeds/fuzz_font/"
# The text table harness takes its section from the first byte.
for f in "$out"/seeds/fuzz_texttable/*.dat; do { printf '\0'; cat "$f"; } > "$f.seed" && rm "$f"; done

run() {
  local name=$1 log="$out/$1.log"
  mkdir -p "$out/findings/$name"
  (cd "$out/findings/$name" &&
    "$out/$name" -max_total_time="$seconds" -print_final_stats=1 -close_fd_mask=1 -rss_limit_mb=4096 \
      "$out/corpus/$name" "$out/seeds/$name" $(ls -d "$top/tests/fuzz/regressions/$name" 2>/dev/null) \
      >"$log" 2>&1) || true
  local runs found
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  found=$(find "$out/findings/$name" -type f | wc -l)
  echo "$name: ${seconds} s, $runs executions, $found findings, corpus $(ls "$out/corpus/$name" | wc -l) files"
}

# One harness per core at a time.
for name in "${harnesses[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  run "$name" &
done
wait
[ -z "$(find "$out/findings" -type f)" ]
