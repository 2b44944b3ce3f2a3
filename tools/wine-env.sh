# Sourced by the run, test and benchmark scripts: a private Xvfb with GLX and a private Wine prefix
# under one folder, created on first use and reused afterwards. Nothing here touches the user's
# own display or ~/.wine.

# Closes every descriptor above 2 in the calling (sub)shell, so a long-lived server started from a
# command run under flock does not keep holding the caller's lock.
reef_close_inherited_fds() {
  local fd
  for fd in $(ls /proc/$BASHPID/fd 2>/dev/null); do
    [ "$fd" -gt 2 ] && eval "exec $fd>&-" 2>/dev/null
  done
  return 0
}

# reef_start_xvfb DIR [SCREENS...]: starts (or reuses) the Xvfb recorded in DIR and exports DISPLAY.
reef_start_xvfb() {
  local dir=$1; shift
  local screens=("$@")
  [ ${#screens[@]} -gt 0 ] || screens=(1280x1024x24)
  if [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then
    export DISPLAY=$(cat "$dir/xvfb.display")
    return 0
  fi
  local n args=() i=0
  for s in "${screens[@]}"; do args+=(-screen "$i" "$s"); i=$((i + 1)); done
  [ ${#screens[@]} -gt 1 ] && args+=(+xinerama -extension RANDR)
  for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    (reef_close_inherited_fds; exec setsid Xvfb ":$n" "${args[@]}" +extension GLX -nolisten tcp -noreset \
      >"$dir/xvfb.log" 2>&1 </dev/null) &
    local pid=$!
    local tries=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && kill -0 "$pid" 2>/dev/null && [ $tries -lt 100 ]; do
      sleep 0.1; tries=$((tries + 1))
    done
    if [ -e "/tmp/.X11-unix/X$n" ]; then
      echo "$pid" > "$dir/xvfb.pid"
      echo ":$n" > "$dir/xvfb.display"
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "wine-env: could not start Xvfb (see $dir/xvfb.log)" >&2
  return 1
}

# reef_start_xorg DIR MONITOR...: starts (or reuses) an Xorg of the dummy driver recorded in DIR,
# with one RandR output per MONITOR, given as WxH@RATE+X+Y (the first is the primary), and exports
# DISPLAY. Unlike Xvfb's screens, Wine sees these as monitors side by side at their own places.
reef_start_xorg() {
  local dir=$1; shift
  if [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; then
    export DISPLAY=$(cat "$dir/xvfb.display")
    return 0
  fi
  cat > "$dir/xorg.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 4096 2048
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
EndSection
CONF
  local n
  for n in $(seq 90 190); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    (reef_close_inherited_fds; exec setsid Xorg ":$n" -config "$dir/xorg.conf" -noreset -nolisten tcp \
      -logfile "$dir/xorg.log" >"$dir/xorg.out" 2>&1 </dev/null) &
    local pid=$!
    local tries=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && kill -0 "$pid" 2>/dev/null && [ $tries -lt 200 ]; do
      sleep 0.1; tries=$((tries + 1))
    done
    [ -e "/tmp/.X11-unix/X$n" ] || continue
    export DISPLAY=":$n"
    local i=0 monitor size rate x y args=()
    for monitor in "$@"; do
      size=${monitor%%@*}
      rate=${monitor#*@}; rate=${rate%%+*}
      x=$(cut -d+ -f2 <<<"$monitor"); y=$(cut -d+ -f3 <<<"$monitor")
      [ $i -gt 0 ] && xrandr --addmode "DUMMY$i" "$size" 2>/dev/null
      args+=(--output "DUMMY$i" --mode "$size" --rate "$rate" --pos "${x}x${y}")
      i=$((i + 1))
    done
    xrandr "${args[@]}" >>"$dir/xorg.out" 2>&1
    # A full query makes the server probe its outputs again: without it, clients that only read
    # the current configuration (Wine does) may still see one monitor.
    xrandr --query >/dev/null 2>&1
    echo "$pid" > "$dir/xvfb.pid"
    echo ":$n" > "$dir/xvfb.display"
    return 0
  done
  echo "wine-env: could not start Xorg (see $dir/xorg.log)" >&2
  return 1
}

# reef_wine_prefix DIR: exports a private WINEPREFIX in DIR/prefix, initialised once.
reef_wine_prefix() {
  local dir=$1
  export WINEPREFIX="$dir/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/.reef-ready" ]; then
    wineboot -i >"$dir/wineboot.log" 2>&1 || true
    wineserver -w
    # A crashing test must fail, not wait for somebody to close a crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.reef-ready"
  fi
}

# reef_locales DIR: the Unix locales of the languages the saver speaks (and Italian, one it does
# not), built once into DIR, with LOCPATH pointing there. Wine takes a program's UI language from
# LANG or LC_ALL only when the C library knows that locale, and a fresh machine knows none.
reef_locales() {
  local dir=$1 name
  mkdir -p "$dir"
  exec 8>"$dir/.lock"
  flock 8
  for name in nl_NL en_US de_DE fr_FR it_IT; do
    [ -f "$dir/$name.UTF-8/LC_MESSAGES/SYS_LC_MESSAGES" ] && continue
    localedef -i "$name" -f UTF-8 "$dir/$name.UTF-8" >/dev/null 2>&1 ||
      echo "wine-env: no locale $name (the package \"locales\" is missing)" >&2
  done
  flock -u 8
  exec 8>&-
  export LOCPATH=$dir
}

# reef_wine_env DIR [SCREENS...]: both of the above, serialised so that parallel callers share one
# setup, and the locales in the build folder that holds DIR.
reef_wine_env() {
  local dir=$1; shift
  mkdir -p "$dir"
  reef_locales "$(dirname "$dir")/locales"
  exec 9>"$dir/env.lock"
  flock 9
  reef_start_xvfb "$dir" "$@" && reef_wine_prefix "$dir"
  local rc=$?
  flock -u 9
  exec 9>&-
  return $rc
}

# reef_wine_env_monitors DIR MONITOR...: an Xorg with those monitors (reef_start_xorg) and a prefix.
reef_wine_env_monitors() {
  local dir=$1; shift
  mkdir -p "$dir"
  reef_locales "$(dirname "$dir")/locales"
  exec 9>"$dir/env.lock"
  flock 9
  reef_start_xorg "$dir" "$@" && reef_wine_prefix "$dir"
  local rc=$?
  flock -u 9
  exec 9>&-
  return $rc
}

# reef_stop_env DIR: ends the Wine server and the Xvfb of DIR.
reef_stop_env() {
  local dir=$1
  if [ -d "$dir/prefix" ]; then WINEPREFIX="$dir/prefix" wineserver -k 2>/dev/null || true; fi
  if [ -f "$dir/xvfb.pid" ]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; rm -f "$dir/xvfb.pid"; fi
}
