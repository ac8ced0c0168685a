#!/usr/bin/env bash
# The whole logic, the Windows system parts and the resource script compiled with MinGW-w64:
# they must build for Windows even on a machine that never runs a Windows build.
set -euo pipefail
compiler=$1
generated=$2  # the build's generated headers (the product version)
root=$(cd "$(dirname "$0")/../.." && pwd)
src=$root/src
passed=0
failed=0
for source in "$src"/{timing,core,uptime,logging,about,keeper,wiring,settings_file,os/win32,os/absent}/*.cpp \
    "$src"/app/{command_line,help_text,program_name}.cpp; do
    if "$compiler" -std=c++17 -Wall -Wextra -Werror -I "$src" -I "$generated" -c "$source" \
        -o /dev/null; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
done
windres=${compiler%g++-posix}windres
windmc=${compiler%g++-posix}windmc
messages=$(mktemp -d)
trap 'rm -rf "$messages"' EXIT
if "$windmc" -h "$messages" -r "$messages" "$root/resources/windows/events.mc" &&
    "$windres" -I "$root/resources/icons" -I "$root/resources/windows" -I "$generated" \
        -I "$messages" "$root/resources/windows/RI-ZUZERU-VAVUZA.rc" -O coff -o /dev/null; then
    passed=$((passed + 1))
else
    failed=$((failed + 1))
fi
echo "win32 sources: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
