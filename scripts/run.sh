#!/usr/bin/env bash
# Installs what is missing, builds, and starts nimbrel.exe under Wine with the
# given arguments. Without a usable display it runs on a private Xvfb display
# and saves a screenshot of the window instead (its path is printed).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$NIMBREL_REPO/scripts/setup.sh"
bash "$NIMBREL_REPO/scripts/build.sh" >/dev/null

# The program's own Wine prefix, so that it never touches the user's ~/.wine.
export WINEPREFIX=${NIMBREL_WINEPREFIX:-$NIMBREL_CACHE/wine/run-$(id -un)}
if [ ! -f "$WINEPREFIX/.nimbrel-ready" ]; then
  nimbrel_log "creating the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
  wineserver -w
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  touch "$WINEPREFIX/.nimbrel-ready"
fi

exe="$NIMBREL_BUILD_DIR/nimbrel.exe"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$exe" "$@"
fi

shot=${NIMBREL_SCREENSHOT:-$NIMBREL_BUILD_DIR/nimbrel-screenshot.png}
display=$(nimbrel_free_display)
Xvfb ":$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb_pid >/dev/null 2>&1 || true' EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

wine "$exe" "$@" >/dev/null 2>&1 &
for _ in $(seq 100); do
  xdotool search --name '^Nimbrel ' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 2
import -window root "$shot"
nimbrel_log "no display: ran on Xvfb $DISPLAY; screenshot saved to $shot"
