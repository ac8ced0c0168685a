#!/usr/bin/env bash
# The Windows sources use only the Win32 and standard headers; compiling them, and the resource
# script, with MinGW-w64 here keeps them from rotting unseen on a machine that never builds for
# Windows.
set -euo pipefail
compiler=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
src=$root/src
count=0
for source in "$src"/platform/win32/*.cpp; do
    "$compiler" -std=c++17 -Wall -Wextra -Werror -I "$src" -c "$source" -o /dev/null
    count=$((count + 1))
done
windres=${compiler%g++-posix}windres
"$windres" -I "$root/resources/icons" "$root/resources/windows/RI-ZUZERU-VAVUZA.rc" -O coff \
    -o /dev/null
count=$((count + 1))
echo "win32 sources: $count passed, 0 failed"
