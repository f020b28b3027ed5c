# Sourced by the scripts that run the Windows program under Wine. Makes a fresh Wine prefix
# in a temporary folder (once per run), keeps its wineserver alive between programs, and
# ends it all on exit. Needs: wine, wineboot, wineserver; xvfb-run when there is no display.
wine_session_start() {
  WINE_SESSION_DIR=$(mktemp -d /tmp/extdict-wine.XXXXXX)
  export WINEPREFIX="$WINE_SESSION_DIR/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer prompts
  export WINEARCH=win64
  trap wine_session_end EXIT
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 </dev/null
  wineboot -i >"$WINE_SESSION_DIR/wineboot.log" 2>&1 </dev/null
}

wine_session_end() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINE_SESSION_DIR"
}
