# Sourced by the run and test scripts: a private Wine prefix on a private X display for
# this run only, torn down with `wine_env_stop`. Background Wine processes inherit the
# output of whoever starts them, so the prefix is booted with output sent to a log.

wine_env_start() {
  WINE_ENV_DIR=$(mktemp -d /tmp/corvane-wine.XXXXXX)
  export HOME="$WINE_ENV_DIR/home"           # the prefix links Desktop and Documents here
  export WINEPREFIX="$WINE_ENV_DIR/prefix"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # The wireless tests put stand-ins for wlanapi.dll beside their programs.
  export WINEDLLOVERRIDES="winealsa.drv=d;mscoree=d;mshtml=d;wlanapi,wzcsapi=n,b"
  mkdir -p "$HOME"

  local display
  for display in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
  done
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$WINE_ENV_DIR/xvfb.log" 2>&1 &
  WINE_ENV_XVFB=$!
  export DISPLAY=":$display"

  wineboot -i >"$WINE_ENV_DIR/wine.log" 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >>"$WINE_ENV_DIR/wine.log" 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >>"$WINE_ENV_DIR/wine.log" 2>&1 </dev/null
  # The WZC back end of the wireless library is chosen on Windows XP with Service Pack 2 or later.
  wine reg add 'HKCU\Software\Wine\AppDefaults\wlan_wzc_tests.exe' /v Version /d winxp /f >>"$WINE_ENV_DIR/wine.log" 2>&1 </dev/null
  wineserver -w
  wineserver -p >>"$WINE_ENV_DIR/wine.log" 2>&1 </dev/null
}

wine_env_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  [ -n "${WINE_ENV_XVFB:-}" ] && kill "$WINE_ENV_XVFB" 2>/dev/null || true
  [ -n "${WINE_ENV_DIR:-}" ] && rm -rf "$WINE_ENV_DIR"
}
