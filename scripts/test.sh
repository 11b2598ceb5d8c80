#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine (as an
# unprivileged user, on a private Xvfb display). CTest's summary ends the
# output. Arguments go to ctest (for example -R FileList).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$NIMBREL_REPO/scripts/setup.sh"
bash "$NIMBREL_REPO/scripts/build.sh" >/dev/null

trap nimbrel_stop_test_session EXIT
nimbrel_start_test_session

cd "$NIMBREL_BUILD_DIR"
# One test at a time: several of them read the error log that all share.
nimbrel_as_test_user "${NIMBREL_TEST_ENV[@]}" ctest --output-on-failure "$@"
