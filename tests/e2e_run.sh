#!/usr/bin/env bash
# The whole job on a real X server: type, calculate, check the export, close.
set -euo pipefail
BRUMO=$1
data=$2
source "$(dirname "$0")/x11.sh"

work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
start_xvfb

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# name, four inputs, then the expected value line as an extended regex.
run_case() {
    local name=$1 expected=$6
    mkdir "$work/$name"
    cd "$work/$name"
    start_brumo
    type_inputs "$2" "$3" "$4" "$5"
    click_start
    if wait_for_export; then
        local values
        values=$(sed -n 3p Brumo_export.csv)
        [[ $values =~ ^$expected$ ]] || fail "$name: value line is '$values'"
        head -n 2 Brumo_export.csv | cmp -s - <(head -n 2 "$data/export-20-0-1013-50.csv") ||
            fail "$name: header or unit line differs"
        [ "$(tail -c 1 Brumo_export.csv)" = ";" ] || fail "$name: file does not end in ';'"
    else
        fail "$name: no export"
    fi
    [ ! -e temp ] || fail "$name: scratch file left behind"
    click_close
    local rc
    rc=$(brumo_exit_code)
    [ "$rc" = 0 ] || fail "$name: exit code $rc"
    echo "$name: done"
}

set1='1013;1\.20599;293\.15;19\.8412;9\.92061;9\.92061;11\.7115;6\.86214;9\.28896;6\.09143;7\.34622;8\.66;12\.1829;14\.6924;34\.8809;'
nan='-?nan'
run_case typical 20 0 1013 50 "$set1"
cmp -s "$work/typical/Brumo_export.csv" "$data/export-20-0-1013-50.csv" ||
    fail "typical: export differs from the expected bytes"
run_case zero 0 0 0 0 "0;0;273\.15;6\.1078;6\.1078;0;0;$nan;$nan;$nan;$nan;0;$nan;$nan;0;"
run_case text 20.9 " +0" "1013 hPa" "50%" "$set1"

echo "$((3 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
