#!/usr/bin/env bash
# Holds a built program to the hardening it is built with.
#   check_hardening.sh ELF-BINARY       position independent, relocations read-only after being
#                                       bound at start-up, stack canaries, checked libc calls
#   check_hardening.sh EXE OBJDUMP      a Windows program: ASLR with high entropy, NX
set -euo pipefail
binary=$1
objdump=${2:-}
passed=0
failed=0
expect() {  # expect WHAT COMMAND...: the command must succeed
    local what=$1
    shift
    if "$@" >/dev/null 2>&1; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $binary: $what"
    fi
}
has() { grep -Eq -- "$1" <<<"$2"; }

if [ -n "$objdump" ]; then
    header=$("$objdump" -p "$binary")
    characteristics=$(sed -n '/^DllCharacteristics/,/^[A-Z]/p' <<<"$header")
    echo "$characteristics" | head -1
    for flag in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT; do
        expect "DllCharacteristics lack $flag" has "\b$flag\b" "$characteristics"
    done
    # Without a relocation table the loader cannot move the image, whatever the flags say.
    expect "no base relocations (.reloc)" has '^Entry 5 [0-9a-f]+ [0-9a-f]*[1-9a-f][0-9a-f]* ' \
        "$header"
else
    dynamic=$(readelf -dW "$binary")
    segments=$(readelf -lW "$binary")
    symbols=$(readelf --dyn-syms -W "$binary")
    checked=$(grep -Eo '__[a-z_]+_chk\b' <<<"$symbols" | sort -u | tr '\n' ' ' || true)
    flags=$(grep -E '\(FLAGS(_1)?\)' <<<"$dynamic" | sed -E 's/.*\) +(Flags: )?//' | tr '\n' ' ' || true)
    echo "dynamic flags: ${flags:-none}| checked calls: ${checked:-none}"
    expect "not position independent (no PIE flag)" has 'FLAGS_1.*\bPIE\b' "$dynamic"
    expect "no GNU_RELRO segment" has '^ *GNU_RELRO ' "$segments"
    expect "not bound at start-up (no BIND_NOW)" has '\bBIND_NOW\b|FLAGS_1.*\bNOW\b' "$dynamic"
    expect "no stack protector (__stack_chk_fail)" has '\b__stack_chk_fail\b' "$symbols"
    expect "no fortified calls (__*_chk)" test -n "$checked"
fi
echo "hardening: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
