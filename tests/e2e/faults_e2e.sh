#!/usr/bin/env bash
# End-to-end checks of the real program under faults and hostile input: a failing or full disk
# (injected by a preloaded library, argument 2, or a real full tmpfs), symbolic links, a forged
# computer name, an executable name that is not UTF-8, start folders the user may not write
# (the record goes to the user's own folder), --log-and-close, absurd placements and a stale
# settings lock. Cases that need root (mounting, acting as another user) say so when they
# cannot run.
set -euo pipefail
source "$(dirname "$(readlink -f "$0")")/e2e_common.sh"
x_test faults_e2e "$@"
bin=$(readlink -f "$1")
faults=$(readlink -f "$2")
mounted=
cleanup() {
    # shellcheck disable=SC2046  # one word per job
    kill -KILL $(jobs -p) 2>/dev/null || true
    wait 2>/dev/null || true
    [ -z "$mounted" ] || umount -l "$mounted"
    rm -rf "$work"
}
trap cleanup EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
start_window_manager

# The program and the fault library where another user may run them too.
nobody=65534
root=
[ "$(id -u)" -ne 0 ] || root=yes
mkdir "$work/bin"
cp "$bin" "$faults" "$work/bin/"
program=$work/bin/$(basename "$bin")
faults=$work/bin/$(basename "$faults")
cp "${XAUTHORITY:-/dev/null}" "$work/xauth" 2>/dev/null || true
chmod -R a+rX "$work/bin" "$work/xauth" 2>/dev/null || true
log=RI-ZUZERU-VAVUZA.LOG
old=$'an earlier record\r\nof two lines\r\n'

# 1. Unattended runs (Auto Start and Auto Close), all at once: each writes its log at 11 s and
#    closes itself at 21 s unless the write failed. Each case has a folder of its own: run/ is
#    its working folder, config/ its settings.
declare -A pid expect arguments
prepare() {  # prepare CASE [SECTION]: the folders, the settings and an earlier log
    local dir=$work/$1
    mkdir -p "$dir/run" "$dir/config" "$dir/runtime"
    printf '[%s]\nAUTOSTART_TICKBOX=1\nAUTOCLOSE_TICKBOX=1\n' "${2:-RI-ZUZERU-VAVUZA}" \
        >"$dir/config/QV_ZIV.conf"
    chmod 700 "$dir/runtime"
    printf '%s' "$old" >"$dir/run/$log"
}
# launch CASE EXPECTATION [VAR=VALUE ... [setpriv ...]]: the log written (in run/), kept,
# damaged, moved (to the file named by moved[CASE]) or lost (by a run that closes all the same).
# The program's arguments are arguments[CASE].
launch() {
    local name=$1 dir=$work/$1
    expect[$name]=$2
    shift 2
    # shellcheck disable=SC2086  # the arguments are words
    (cd "$dir/run" && exec env HOME="$dir" XDG_CONFIG_HOME="$dir/config" \
        XDG_RUNTIME_DIR="$dir/runtime" XAUTHORITY="$work/xauth" "$@" "$program" \
        ${arguments[$name]:-} 2>"$dir/stderr") &
    pid[$name]=$!
}
inject() {  # inject CALL ERRNO: the variables that make CALL fail on the log
    echo LD_PRELOAD="$faults" RZV_FAULT_FILE=$log RZV_FAULT_CALL="$1" RZV_FAULT_ERRNO="$2"
}
as_nobody() { echo setpriv --reuid=$nobody --regid=$nobody --clear-groups; }

# Injected faults on the way to the disk: the old log must stay as it was.
for fault in "write ENOSPC" "write EIO" "short-write ENOSPC" "sync EIO" "rename EIO"; do
    name=${fault// /-}
    prepare "$name"
    # shellcheck disable=SC2046,SC2086  # CALL and ERRNO are two words
    launch "$name" kept $(inject $fault)
done

# A real full file system: a 16 KB tmpfs holding the earlier log and filled up to the brim.
prepare full-disk
if [ -n "$root" ] && mount -t tmpfs -o size=16k,mode=755 tmpfs "$work/full-disk/run" 2>/dev/null
then
    mounted=$work/full-disk/run
    printf '%s' "$old" >"$mounted/$log"
    dd if=/dev/zero of="$mounted/filler" bs=1k count=64 2>/dev/null || true
    launch full-disk kept
else
    skip "a full tmpfs: mounting is refused here (needs root and a kernel that allows it)"
fi

# A link to a regular file of the user's (a log kept in a shared folder) is followed.
prepare link-to-file
mkdir "$work/link-to-file/shared"
mv "$work/link-to-file/run/$log" "$work/link-to-file/shared/real.LOG"
ln -s ../shared/real.LOG "$work/link-to-file/run/$log"
launch link-to-file written

# Links to what is no regular file are refused and leave it as it was.
prepare link-to-fifo
mkfifo "$work/link-to-fifo/fifo"
ln -sf ../fifo "$work/link-to-fifo/run/$log"
launch link-to-fifo kept
if [ -n "$root" ]; then
    prepare link-to-device
    mknod "$work/link-to-device/null" c 1 3  # a twin of /dev/null, private to the test
    ln -sf ../null "$work/link-to-device/run/$log"
    launch link-to-device kept
    # A link planted by another user in a shared sticky folder, leading to a file of root's.
    prepare planted-link
    chmod 1777 "$work/planted-link/run"
    mv "$work/planted-link/run/$log" "$work/planted-link/victim"
    $(as_nobody) ln -s ../victim "$work/planted-link/run/$log"
    launch planted-link kept
else
    skip "links to a device node and links of another user: need root"
fi

# A computer name with line breaks cannot add lines to the record.
prepare forged-name
launch forged-name written COMPUTERNAME=$'E2E\r\nCurrent UpTime = 999d, 0h, 0m, 0s\r\n'

# A folder the user may not write, holding a log the user may write: rewritten in place. A
# failure there is said to have maybe damaged it. Root may write anywhere, so nobody runs these.
if [ -n "$root" ]; then
    for name in in-place in-place-failing; do
        prepare "$name"
        chown -R $nobody:$nobody "$work/$name"
        chown root:root "$work/$name/run"
        chmod 755 "$work/$name/run"
    done
    # shellcheck disable=SC2046
    launch in-place written $(as_nobody)
    # shellcheck disable=SC2046
    launch in-place-failing damaged $(inject write ENOSPC) $(as_nobody)
else
    skip "a read-only folder with a writable log: needs root to act as another user"
fi

# A start folder the user may not write (Program Files, a read-only share), with an earlier log
# of another's in it: the record goes to the user's home, to the documents folder their desktop
# names, or, where neither takes it, to the program's state folder; the run closes as any other.
declare -A moved
if [ -n "$root" ]; then
    for name in to-home to-documents to-state lost; do
        prepare "$name"
        chown -R $nobody:$nobody "$work/$name"
        chown root:root "$work/$name/run" "$work/$name/run/$log"
    done
    moved[to-home]=$work/to-home/$log
    mkdir "$work/to-documents/Docs" && chown $nobody:$nobody "$work/to-documents/Docs"
    printf 'XDG_DOCUMENTS_DIR="$HOME/Docs"\n' >"$work/to-documents/config/user-dirs.dirs"
    moved[to-documents]=$work/to-documents/Docs/$log
    # A home the user may not write, whose state folder is theirs.
    mkdir -p "$work/to-state/.local/state" && chown -R $nobody:$nobody "$work/to-state/.local"
    chown root:root "$work/to-state"
    moved[to-state]=$work/to-state/.local/state/RI-ZUZERU-VAVUZA/$log
    # No folder at all takes it: a run that nobody watches closes all the same, with status 1.
    chown root:root "$work/lost"
    arguments[lost]=--log-and-close
    for name in to-home to-documents to-state; do
        # shellcheck disable=SC2046
        launch "$name" moved $(as_nobody)
    done
    # shellcheck disable=SC2046
    launch lost lost $(as_nobody)
    # Root in a folder mounted read-only (a private mount namespace): the same refusal.
    prepare read-only-mount
    moved[read-only-mount]=$work/read-only-mount/$log
    launch read-only-mount moved unshare -m sh -c \
        'mount --bind . . && mount -o remount,bind,ro . . && cd "$PWD" && exec "$@"' -
else
    skip "start folders the user may not write: need root to act as another user"
fi

# --log-and-close with an empty store: one run that logs and closes, the options left unstored.
prepare log-and-close
rm "$work/log-and-close/config/QV_ZIV.conf"
arguments[log-and-close]=--log-and-close
launch log-and-close written

# An executable name that is not UTF-8 still names the log and the settings section alike.
prepare odd-name RZV-%UFFFD  # QSettings' form of U+FFFD
odd=$work/bin/$'RZV-\xff'
cp "$program" "$odd"
(cd "$work/odd-name/run" && XDG_CONFIG_HOME="$work/odd-name/config" \
    XDG_RUNTIME_DIR="$work/odd-name/runtime" exec "$odd" \
    2>"$work/odd-name/stderr") &
pid[odd-name]=$!
expect[odd-name]=odd

sleep 24
nine_lines() { [ "$(grep -c $'\r$' "$1") $(wc -l <"$1")" == "9 9" ] && echo yes; }
for name in "${!pid[@]}"; do
    dir=$work/$name
    wait_for_exit "${pid[$name]}" 2
    failed_lines=$(grep -c 'cannot write the log file' "$dir/stderr" || true)
    case ${expect[$name]} in
    written | moved)
        target=${moved[$name]:-$dir/run/$log}
        [ "$name" != link-to-file ] || target=$dir/shared/real.LOG
        check "$name: closes by itself" "${status:-still running}" 0
        check "$name: nine lines in the log" "$(nine_lines "$target")" yes
        check "$name: no failure reported" "$failed_lines" 0
        check "$name: a line says where the record went" \
            "$(grep -c "^RI-ZUZERU-VAVUZA: cannot write .*; the record is in $target\$" "$dir/stderr")" \
            "$([ "${expect[$name]}" = moved ] && echo 1 || echo 0)"
        ;;
    lost)
        check "$name: closes by itself with status 1" "${status:-still running}" 1
        check "$name: one stderr line naming the log" "$failed_lines" 1
        check "$name: no record anywhere" "$(find "$dir" -name "$log" -newer "$dir/stderr" | wc -l)" 0
        ;;
    kept | damaged)
        check "$name: stays open" "${status:-still running}" "still running"
        check "$name: one stderr line naming the log" "$failed_lines" 1
        if [ "${expect[$name]}" = damaged ]; then
            check "$name: says the old record may be damaged" \
                "$(grep -c 'old record may be damaged' "$dir/stderr")" 1
        fi
        kill -TERM "${pid[$name]}" 2>/dev/null || true
        wait_for_exit "${pid[$name]}" 10
        check "$name: a close afterwards ends with status 0" "${status:-still running}" 0
        ;;
    esac
done

# The old log byte for byte (compared through a checksum: the shell drops trailing line ends).
sum() { md5sum <"$1" | cut -d' ' -f1; }
printf '%s' "$old" >"$work/old"
for name in write-ENOSPC write-EIO short-write-ENOSPC sync-EIO rename-EIO full-disk to-home \
    to-documents to-state lost read-only-mount; do
    [ -n "${pid[$name]:-}" ] || continue
    check "$name: the old log byte for byte" "$(sum "$work/$name/run/$log")" "$(sum "$work/old")"
    check "$name: no hidden file left beside it" \
        "$(find "$work/$name/run" -mindepth 1 -name '.*' | wc -l)" 0
done
check "write-EIO: the reason" "$(grep -c 'Input/output error' "$work/write-EIO/stderr")" 1
check "short-write: the reason" "$(grep -c 'No space left' "$work/short-write-ENOSPC/stderr")" 1
check "link-to-fifo: still a FIFO" "$([ -p "$work/link-to-fifo/fifo" ] && echo yes)" yes
if [ -n "$root" ]; then
    check "link-to-device: still a device" "$([ -c "$work/link-to-device/null" ] && echo yes)" yes
    check "planted-link: the victim untouched" "$(sum "$work/planted-link/victim")" \
        "$(sum "$work/old")"
    check "planted-link: the reason" \
        "$(grep -c 'belongs to another user' "$work/planted-link/stderr")" 1
    check "in-place: no file beside the log" "$(ls -A "$work/in-place/run")" "$log"
fi
check "link-to-file: still a link" "$([ -L "$work/link-to-file/run/$log" ] && echo yes)" yes
check "log-and-close: the options stay unstored" \
    "$(grep -c '_TICKBOX=' "$work/log-and-close/config/QV_ZIV.conf") \
$(grep -c '^MAIN_Left=' "$work/log-and-close/config/QV_ZIV.conf")" "0 1"
check "forged-name: line 5" "$(sed -n 5p "$work/forged-name/run/$log" | tr -d '\r')" \
    "PC Name = E2E??Current UpTime = 999d, 0h, 0m, 0s??"
wait_for_exit "${pid[odd-name]}" 2
check "odd-name: closes by itself" "${status:-still running}" 0
check "odd-name: a visible log name" \
    "$([ -f "$work/odd-name/run/RZV-"$'\uFFFD'.LOG ] && echo yes)" yes
check "odd-name: the same section, not [General]" \
    "$(grep -c -e '^\[General\]' -e '^\[RZV-%UFFFD\]' "$work/odd-name/config/QV_ZIV.conf")" 1
[ -n "$status" ] || kill -KILL "${pid[odd-name]}"

# 2. Absurd placements: sizes take their defaults with one warning, a position off every screen
#    brings the window back onto the nearest; a sanitizer build checks every conversion on the
#    way (float casts included).
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
conf=$XDG_CONFIG_HOME/QV_ZIV.conf
mkdir -p "$XDG_CONFIG_HOME"
on_screen() {  # "yes" when the window lies wholly on the 1280x1024 screen
    local x y w h
    read -r x y w h <<<"$(outer_geometry)"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 1024 ] &&
        echo yes
}
for row in "MAIN_Width=-1e30 1" "MAIN_Width=0 1" "MAIN_Height=1e9 1" "MAIN_Left=3.4e38 0" \
    "MAIN_Top=-3.4e38 0" "MAIN_Top=20000 0"; do
    read -r setting warnings <<<"$row"
    printf '[RI-ZUZERU-VAVUZA]\n%s\n' "$setting" >"$conf"
    (cd "$work" && exec "$program" 2>"$work/stderr") &
    app_pid=$!
    window=$(find_window 10 --pid "$app_pid")
    sleep 0.7
    check "$setting: a window" "$([ -n "$window" ] && echo yes)" yes
    check "$setting: wholly on the screen" "$(on_screen)" yes
    if [ "$warnings" = 1 ]; then
        check "$setting: the default size (px)" "$(outer_size)" "292 155"
    fi
    wmctrl -i -c "$window" 2>/dev/null || true
    wait_for_exit "$app_pid" 10
    check "$setting: closes with status 0" "${status:-still running}" 0
    check "$setting: warnings" "$(grep -c "setting ${setting%%=*} holds" "$work/stderr")" \
        "$warnings"
done

# 3. A settings lock left by a process killed while saving (empty, or naming a dead process):
#    recognised at once, the close takes no more than a second or two.
for lock in "" "999999999"; do
    printf '[RI-ZUZERU-VAVUZA]\nMAIN_Left=2000\n' >"$conf"
    printf '%s\nRI-ZUZERU-VAVUZA\n%s\n' "$lock" "$(hostname)" >"$conf.lock"
    [ -n "$lock" ] || : >"$conf.lock"
    (cd "$work" && exec "$program" 2>"$work/stderr") &
    app_pid=$!
    window=$(find_window 10 --pid "$app_pid")
    sleep 1
    closing=$(date +%s%N)
    wmctrl -i -c "$window"
    wait_for_exit "$app_pid" 40
    took=$((($(date +%s%N) - closing) / 1000000))
    check "lock '$lock': the close takes under 2 s" "$([ "$took" -lt 2000 ] && echo yes)" yes
    check "lock '$lock': saved" "$(setting AlwaysOnTop_TICKBOX)" 1
    check "lock '$lock': gone" "$([ -e "$conf.lock" ] && echo left || echo gone)" gone
done

report faults_e2e
