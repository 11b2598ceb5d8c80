#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine (as the test user, on a private
# Xvfb display) and prints their figures. Arguments: filelist, batch or all,
# then an optional divisor of the file counts for a quick look.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$NIMBREL_REPO/scripts/setup.sh"
bash "$NIMBREL_REPO/scripts/build.sh" >/dev/null

user=$(nimbrel_test_user)
temp="$NIMBREL_CACHE/wine/$user/drive_c/users/$user/Temp"
divisor=${2:-1}
folders=()
cleanup() {
  nimbrel_stop_test_session
  rm -rf "${folders[@]}"
}
trap cleanup EXIT

# The benchmarks' file trees are made here: creating files one by one under
# Wine slows down with every file already in the folder.
for tree in list:10000 list:100000 batch:10000; do
  name=${tree%%:*}
  count=$(( ${tree##*:} / divisor ))
  folder="$temp/nimbrel_bench_${name}_$count"
  folders+=("$folder")
  rm -rf "$folder"
  python3 -c '
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
os.makedirs(folder)
for i in range(count):
    with open(os.path.join(folder, "file%d.txt" % i), "wb") as f:
        f.write(b"x")
' "$folder" "$count"
  [ "$(id -u)" = 0 ] && chown -R "$user:" "$folder"
done

nimbrel_start_test_session
nimbrel_as_test_user "${NIMBREL_TEST_ENV[@]}" wine "$NIMBREL_BUILD_DIR/benchmarks/nimbrel_benchmarks.exe" "$@"
