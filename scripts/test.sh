#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine (as an
# unprivileged user, on a private Xvfb display). CTest's summary ends the output.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$NIMBREL_REPO/scripts/setup.sh"
bash "$NIMBREL_REPO/scripts/build.sh" >/dev/null

user=$(nimbrel_test_user)
[ "$(id -u)" = 0 ] && chown -R "$user:" "$NIMBREL_BUILD_DIR"

display=$(nimbrel_free_display)
test_env=(
  env HOME="$NIMBREL_CACHE/home/$user" WINEPREFIX="$NIMBREL_CACHE/wine/$user"
  DISPLAY=":$display" TZ=Europe/Berlin LANG=C.UTF-8 LC_ALL=C.UTF-8 WINEDEBUG=-all
  PATH="$PATH"
)

cleanup() {
  nimbrel_as_test_user "${test_env[@]}" wineserver -k >/dev/null 2>&1 || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT

"${NIMBREL_AS_TEST_USER[@]}" "${test_env[@]}" Xvfb ":$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

# Start the Wine session before CTest: otherwise Wine's background processes
# hold CTest's output pipe and every test waits for them to exit.
nimbrel_as_test_user "${test_env[@]}" wineserver -p15 || true
nimbrel_as_test_user "${test_env[@]}" wine cmd /c exit >/dev/null 2>&1 || true
# Wine closes the desktop a second after its last program ends, and each
# test would wait for that; a program kept open meanwhile holds the desktop.
nimbrel_as_test_user "${test_env[@]}" wine start /min notepad >/dev/null 2>&1 || true

cd "$NIMBREL_BUILD_DIR"
# One test at a time: several of them read the error log that all share.
nimbrel_as_test_user "${test_env[@]}" ctest --output-on-failure "$@"
