#!/usr/bin/env bash
# The real program under faults: nothing may crash, and nothing may be lost.
set -euo pipefail
BRUMO=$1
data=$2
source "$(dirname "$0")/x11.sh"

work=$(mktemp -d)
mounted=""
cleanup() {
    stop_xvfb
    [ -n "$mounted" ] && umount "$mounted"
    rm -rf "$work"
}
trap cleanup EXIT
start_xvfb

passed=0
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
check() {
    local before=$failures
    "$@"
    [ "$failures" -eq "$before" ] && passed=$((passed + 1))
    echo "$1: done"
}

input1=(20 0 1013 50)
fields1=$'1013\n1.20599\n293.15\n19.8412\n9.92061\n11.7115\n6.09143\n7.34622\n8.66\n12.1829\n14.6924\n34.8809\n6.86214\n9.28896'
export1="$data/export-20-0-1013-50.csv"
input2=(-5 300 1015 60)
fields2=$'979.912\n1.27537\n268.15\n4.42627\n2.65576\n2.52072\n1.68575\n2.14994\n2.04\n2.80958\n3.58324\n-1.01636\n-10.841\n-11.5134'
values2='979.912;1.27537;268.15;4.42627;1.77051;2.65576;2.52072;-10.841;-11.5134;1.68575;2.14994;2.04;2.80958;3.58324;-1.01636;'
export2="$work/export-2.csv"
{ head -n 2 "$export1"; printf '%s' "$values2"; } >"$export2"

# Output waits: a message count on standard output.
wait_for_messages() {
    local pattern=$1 count=$2 i
    for i in $(seq 1 200); do
        [ "$(grep -c "$pattern" "$LOGDIR/brumo.out" || true)" -ge "$count" ] && return 0
        sleep 0.05
    done
    return 1
}

close_and_expect_zero() {
    click_close
    wait_brumo
    [ "$BRUMO_RC" = 0 ] || fail "$1: exit code $BRUMO_RC: $(cat "$LOGDIR/brumo.err")"
}

unwritable_directory() {
    export LOGDIR="$work/unwritable"
    mkdir -p "$LOGDIR"
    cd /proc
    start_brumo
    type_inputs "${input1[@]}"
    click_start
    wait_for_messages "Kann temporaere Datei nicht anlegen" 14 || fail "unwritable: no scratch messages"
    grep -q "Kann Exportdatei nicht anlegen" "$LOGDIR/brumo.out" || fail "unwritable: no export message"
    [ -z "$(read_fields | tr -d '\n')" ] || fail "unwritable: fields are not empty"
    close_and_expect_zero unwritable
    unset LOGDIR
}

export_is_a_directory() {
    mkdir "$work/exportdir" && cd "$work/exportdir"
    mkdir Brumo_export.csv
    touch Brumo_export.csv/keep
    start_brumo
    type_inputs "${input1[@]}"
    click_start
    LOGDIR=$PWD wait_for_messages "Kann Exportdatei nicht anlegen" 1 || fail "directory: no message"
    [ "$(read_fields)" = "$fields1" ] || fail "directory: fields differ"
    [ -d Brumo_export.csv ] && [ -e Brumo_export.csv/keep ] || fail "directory: export path changed"
    [ ! -e temp ] || fail "directory: scratch file left"
    close_and_expect_zero directory
}

# The working directory lies on a file system with no free block.
full_file_system() {
    local dir="$work/full"
    mkdir "$dir"
    if mount -t tmpfs -o size=64k,nr_inodes=64 brumo-full "$dir" 2>/dev/null; then
        mounted=$dir
        dd if=/dev/zero of="$dir/filler" bs=4k 2>/dev/null || true
        export LOGDIR="$work"
        cd "$dir"
        start_brumo
    else
        # Without the right to mount, a file size limit fails the writes alike.
        export LOGDIR="$work"
        cd "$dir"
        BRUMO_WRAPPER="prlimit --fsize=300:300" start_brumo
    fi
    type_inputs "${input1[@]}"
    click_start
    wait_for_messages "Kann Exportdatei nicht schreiben" 1 || fail "full: no write message"
    [ "$(read_fields)" = "$fields1" ] || fail "full: fields differ"
    [ ! -e temp ] || fail "full: scratch file left"
    close_and_expect_zero full
    cd "$work"
    [ -n "$mounted" ] && umount "$mounted" && mounted=""
    unset LOGDIR
}

users_temp() {
    local kind=$1
    mkdir "$work/temp-$kind" && cd "$work/temp-$kind"
    printf 'meine Notizen\n' >notes
    if [ "$kind" = link ]; then ln -s notes temp; else cp notes temp; fi
    start_brumo
    type_inputs "${input1[@]}"
    click_start
    wait_for_export_keeping_temp || fail "temp-$kind: no export"
    [ "$(read_fields)" = "$fields1" ] || fail "temp-$kind: fields differ"
    cmp -s Brumo_export.csv "$export1" || fail "temp-$kind: export differs"
    [ "$(cat notes)" = "meine Notizen" ] || fail "temp-$kind: the other file changed"
    if [ "$kind" = link ]; then
        [ -L temp ] && [ "$(readlink temp)" = notes ] || fail "temp-link: link changed"
    else
        [ ! -L temp ] && cmp -s temp notes || fail "temp-file: file changed"
    fi
    close_and_expect_zero "temp-$kind"
}

wait_for_export_keeping_temp() {
    local i
    for i in $(seq 1 200); do
        [ -f Brumo_export.csv ] && [ "$(wc -l <Brumo_export.csv)" -eq 2 ] && sleep 0.3 && return 0
        sleep 0.05
    done
    return 1
}

# Two instances in one directory click at the same time, again and again.
two_instances() {
    mkdir "$work/two" && cd "$work/two"
    start_brumo
    local a=$BRUMO_PID wa=$BRUMO_WINDOW
    type_inputs "${input1[@]}"
    LOGDIR="$work/two-b"
    mkdir "$LOGDIR"
    export LOGDIR
    start_brumo
    local b=$BRUMO_PID wb=$BRUMO_WINDOW
    type_inputs "${input2[@]}"
    unset LOGDIR
    xdotool windowfocus --sync "$wa"
    click_start
    xdotool windowfocus --sync "$wb"
    click_start
    local round
    for round in $(seq 1 25); do
        xdotool windowfocus --sync "$wa"
        xdotool key space
        xdotool windowfocus --sync "$wb"
        xdotool key space
        sleep 0.4
        [ ! -e temp ] || sleep 1
        cmp -s Brumo_export.csv "$export1" || cmp -s Brumo_export.csv "$export2" ||
            fail "two: round $round: export is neither run's: $(sed -n 3p Brumo_export.csv)"
    done
    [ ! -e temp ] || fail "two: scratch file left"
    xdotool windowfocus --sync "$wa"
    [ "$(read_fields)" = "$fields1" ] || fail "two: first window's fields differ"
    BRUMO_PID=$a
    close_and_expect_zero two-a
    xdotool windowfocus --sync "$wb"
    [ "$(read_fields)" = "$fields2" ] || fail "two: second window's fields differ"
    BRUMO_PID=$b
    close_and_expect_zero two-b
}

check unwritable_directory
check export_is_a_directory
check full_file_system
check users_temp file
check users_temp link
check two_instances

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
