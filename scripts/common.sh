# Shared settings of the build, run and test scripts. Sourced, not run.

NIMBREL_REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Packages a fresh Debian 12 machine needs for building, running and testing.
NIMBREL_PACKAGES=(
  cmake make python3 git
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick
  googletest
)

# Tests run as an ordinary user: as root, Wine lets a program write
# read-only files, which would hide real faults.
NIMBREL_TEST_USER=nimbrel-test

if [ "$(id -u)" = 0 ]; then
  NIMBREL_CACHE=${NIMBREL_CACHE:-/var/cache/nimbrel}
  NIMBREL_SUDO=()
else
  NIMBREL_CACHE=${NIMBREL_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/nimbrel}
  NIMBREL_SUDO=(sudo)
fi

# One build folder per checkout, outside the work tree, readable by the test user.
NIMBREL_BUILD_DIR=${NIMBREL_BUILD_DIR:-$NIMBREL_CACHE/build/$(printf '%s' "$NIMBREL_REPO" | md5sum | cut -c1-12)}
NIMBREL_GTEST_DIR=$NIMBREL_CACHE/googletest

# Wine under a UTF-8 locale: under LANG=C non-ASCII file names reach the
# program mangled.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export WINEDEBUG=-all

nimbrel_log() { printf '== %s\n' "$*" >&2; }

# The user whose Wine runs the tests, and a command prefix that runs as them.
# setpriv replaces itself with the command, so a background job's PID is the
# command's own and can be stopped.
nimbrel_test_user() {
  if [ "$(id -u)" = 0 ]; then echo "$NIMBREL_TEST_USER"; else id -un; fi
}
if [ "$(id -u)" = 0 ]; then
  NIMBREL_AS_TEST_USER=(setpriv --reuid="$NIMBREL_TEST_USER" --regid="$NIMBREL_TEST_USER" --clear-groups --)
else
  NIMBREL_AS_TEST_USER=()
fi
nimbrel_as_test_user() { "${NIMBREL_AS_TEST_USER[@]}" "$@"; }

# A display number with no X server on it.
nimbrel_free_display() {
  local n=99
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo "$n"
}

# Starts what Wine needs to run the tests' programs: the build folder handed
# to the test user, a private Xvfb display, and a running Wine session. Fills
# NIMBREL_TEST_ENV with the environment to run them in; stop it with
# nimbrel_stop_test_session (the caller's EXIT trap).
nimbrel_start_test_session() {
  local user display
  user=$(nimbrel_test_user)
  [ "$(id -u)" = 0 ] && chown -R "$user:" "$NIMBREL_BUILD_DIR"
  display=$(nimbrel_free_display)
  NIMBREL_TEST_ENV=(
    env HOME="$NIMBREL_CACHE/home/$user" WINEPREFIX="$NIMBREL_CACHE/wine/$user"
    DISPLAY=":$display" TZ=Europe/Berlin LANG=C.UTF-8 LC_ALL=C.UTF-8 WINEDEBUG=-all
    PATH="$PATH"
  )
  "${NIMBREL_AS_TEST_USER[@]}" "${NIMBREL_TEST_ENV[@]}" Xvfb ":$display" -screen 0 1600x1200x24 -nolisten tcp \
    >/dev/null 2>&1 &
  NIMBREL_XVFB_PID=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

  # Start the Wine session first: otherwise Wine's background processes hold
  # CTest's output pipe and every test waits for them to exit.
  nimbrel_as_test_user "${NIMBREL_TEST_ENV[@]}" wineserver -p15 || true
  nimbrel_as_test_user "${NIMBREL_TEST_ENV[@]}" wine cmd /c exit >/dev/null 2>&1 || true
  # Wine closes the desktop a second after its last program ends, and each
  # test would wait for that; a program kept open meanwhile holds the desktop.
  nimbrel_as_test_user "${NIMBREL_TEST_ENV[@]}" wine start /min notepad >/dev/null 2>&1 || true
}

nimbrel_stop_test_session() {
  nimbrel_as_test_user "${NIMBREL_TEST_ENV[@]}" wineserver -k >/dev/null 2>&1 || true
  [ -n "${NIMBREL_XVFB_PID:-}" ] && kill "$NIMBREL_XVFB_PID" >/dev/null 2>&1 || true
}
