#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine and prepares the caches:
# the cross-compiled GoogleTest, the test user, and its Wine prefix.
# Safe to run again: each step is skipped when it is already done.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages() {
  local missing=()
  for package in "${NIMBREL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  nimbrel_log "installing ${missing[*]}"
  "${NIMBREL_SUDO[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${NIMBREL_SUDO[@]}" apt-get install -y -q "${missing[@]}"
}

build_googletest() {
  local version
  version=$(dpkg-query -W -f='${Version}' googletest)
  [ -f "$NIMBREL_GTEST_DIR/.built-$version" ] && return
  nimbrel_log "building GoogleTest $version with MinGW-w64"
  rm -rf "$NIMBREL_GTEST_DIR" "$NIMBREL_CACHE/googletest-build"
  cmake -S /usr/src/googletest -B "$NIMBREL_CACHE/googletest-build" \
    -DCMAKE_TOOLCHAIN_FILE="$NIMBREL_REPO/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$NIMBREL_GTEST_DIR" \
    -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON >/dev/null
  cmake --build "$NIMBREL_CACHE/googletest-build" -j"$(nproc)" >/dev/null
  cmake --install "$NIMBREL_CACHE/googletest-build" >/dev/null
  rm -rf "$NIMBREL_CACHE/googletest-build"
  touch "$NIMBREL_GTEST_DIR/.built-$version"
}

create_test_user() {
  [ "$(id -u)" = 0 ] || return 0
  id "$NIMBREL_TEST_USER" >/dev/null 2>&1 && return
  nimbrel_log "creating the test user $NIMBREL_TEST_USER"
  useradd --system --no-create-home --shell /usr/sbin/nologin "$NIMBREL_TEST_USER"
}

# A private Wine prefix for the test user, with HOME in a scratch folder so
# that the prefix's Documents and Desktop do not point into a real home.
prepare_wine_prefix() {
  local user home prefix
  user=$(nimbrel_test_user)
  home=$NIMBREL_CACHE/home/$user
  prefix=$NIMBREL_CACHE/wine/$user
  [ -f "$prefix/.nimbrel-ready-2" ] && return
  nimbrel_log "creating the Wine prefix $prefix"
  mkdir -p "$NIMBREL_CACHE/home" "$NIMBREL_CACHE/wine"
  chmod 755 "$NIMBREL_CACHE" "$NIMBREL_CACHE/home" "$NIMBREL_CACHE/wine"
  rm -rf "$prefix" "$home"
  mkdir -p "$prefix" "$home"
  [ "$(id -u)" = 0 ] && chown "$user:" "$prefix" "$home"
  nimbrel_as_test_user env HOME="$home" WINEPREFIX="$prefix" WINEDLLOVERRIDES="mscoree,mshtml=" \
    wineboot -i >/dev/null 2>&1
  nimbrel_as_test_user env HOME="$home" WINEPREFIX="$prefix" wineserver -w
  # Without the fonts in the prefix every font renders as DejaVu Sans.
  nimbrel_as_test_user cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  # The test display has no window manager: unmanaged windows spare every
  # closing window Wine's two-second wait for a manager that never answers.
  nimbrel_as_test_user env HOME="$home" WINEPREFIX="$prefix" \
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  nimbrel_as_test_user env HOME="$home" WINEPREFIX="$prefix" wineserver -w
  nimbrel_as_test_user touch "$prefix/.nimbrel-ready-2"
}

install_packages
mkdir -p "$NIMBREL_CACHE"
chmod 755 "$NIMBREL_CACHE"
build_googletest
create_test_user
prepare_wine_prefix
