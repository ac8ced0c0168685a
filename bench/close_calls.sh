#!/usr/bin/env bash
# The file-system calls and syncs of a close's save on the settings folder, under strace: the
# save driver (tests/os/save_driver.cpp) runs exactly the program's save of its five keys, over a
# settings file that holds other sections. Prints each call, then the temporary files, renames
# and syncs among them.
# Usage: bench/close_calls.sh [SAVE_DRIVER]   (default build/tests/save_driver)
set -euo pipefail
driver=$(readlink -f "${1:-build/tests/save_driver}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config"
printf '[Other]\nkeep=me\n\n[RI-ZUZERU-VAVUZA]\nMAIN_Left=1234\nMAIN_Top=567\n' \
    >"$work/config/QV_ZIV.conf"
strace -f -y -qq -o "$work/trace" -e trace=%file,%desc,fsync,fdatasync \
    "$driver" settings "$work/config"
calls=$(grep -F "$work/config" "$work/trace" | grep -v "execve(" | sed -E "s/^[0-9]+ +//; s|$work/config|CONFIG|g")
echo "calls of the close's save on its folder (CONFIG):"
sed 's/^/    /' <<<"$calls"
count() { grep -cE "$1" <<<"$calls" || true; }
echo "calls: $(wc -l <<<"$calls")"
echo "temporary files created: $(count 'O_CREAT.*\.tmp')"
echo "renames: $(count '^rename')"
echo "syncs: $(count '^f(data)?sync\(')"
echo "lock files created: $(count 'O_CREAT.*\.lock')"
echo "settings file after the save:"
sed 's/^/    /' "$work/config/QV_ZIV.conf"
