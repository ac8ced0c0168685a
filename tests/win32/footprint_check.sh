#!/usr/bin/env bash
# The Windows program stays one small self-contained file: under 1 MiB, importing nothing but
# DLLs that every Windows has. A static C++ runtime makes every heavy header count (iostreams
# alone add some 400 KB), so this is watched.
set -euo pipefail
exe=$1
objdump=$2
size=$(stat -c %s "$exe")
imports=$("$objdump" -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort)
system="advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll user32.dll"
foreign=$(comm -23 <(tr ' ' '\n' <<<"$imports") <(tr ' ' '\n' <<<"$system" | sort))
echo "exe: $size bytes, imports: $(tr '\n' ' ' <<<"$imports")"
passed=0
failed=0
if [ "$size" -lt 1048576 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $size bytes"; fi
if [ -z "$foreign" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: imports $foreign"; fi
echo "footprint: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
