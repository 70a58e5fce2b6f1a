#!/usr/bin/env bash
# The whole job on a real X server: type, calculate, read the fields, check the
# export, close. Run under LC_ALL=de_DE.UTF-8 too: numbers keep their point.
set -euo pipefail
BRUMO=$1
data=$2
source "$(dirname "$0")/x11.sh"

if [ -n "${LC_ALL:-}" ]; then
    # Make sure the locale is real, or the run proves nothing.
    [ "$(locale decimal_point 2>/dev/null)" = "," ] || {
        echo "locale $LC_ALL is not installed or has no decimal comma"
        exit 1
    }
fi

work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
start_xvfb

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# name, four inputs, the fourteen fields and then the export's value line, both
# as extended regular expressions (fields separated by blanks).
run_case() {
    local name=$1 fields=$6 expected=$7
    mkdir "$work/$name"
    cd "$work/$name"
    start_brumo
    type_inputs "$2" "$3" "$4" "$5"
    click_start
    if wait_for_export; then
        local values shown
        values=$(sed -n 3p Brumo_export.csv)
        [[ $values =~ ^$expected$ ]] || fail "$name: value line is '$values'"
        head -n 2 Brumo_export.csv | cmp -s - <(head -n 2 "$data/export-20-0-1013-50.csv") ||
            fail "$name: header or unit line differs"
        [ "$(tail -c 1 Brumo_export.csv)" = ";" ] || fail "$name: file does not end in ';'"
        shown=$(read_fields | tr '\n' ' ')
        [[ $shown =~ ^$fields\ $ ]] || fail "$name: fields show '$shown'"
    else
        fail "$name: no export"
    fi
    [ ! -e temp ] || fail "$name: scratch file left behind"
    click_close
    wait_brumo
    [ "$BRUMO_RC" = 0 ] || fail "$name: exit code $BRUMO_RC, stderr: $(cat brumo.err)"
    echo "$name: done"
}

fields1='1013 1\.20599 293\.15 19\.8412 9\.92061 11\.7115 6\.09143 7\.34622 8\.66 12\.1829 14\.6924 34\.8809 6\.86214 9\.28896'
set1='1013;1\.20599;293\.15;19\.8412;9\.92061;9\.92061;11\.7115;6\.86214;9\.28896;6\.09143;7\.34622;8\.66;12\.1829;14\.6924;34\.8809;'
nan='-?nan'
run_case typical 20 0 1013 50 "$fields1" "$set1"
cmp -s "$work/typical/Brumo_export.csv" "$data/export-20-0-1013-50.csv" ||
    fail "typical: export differs from the expected bytes"
run_case zero 0 0 0 0 \
    "0 0 273\.15 6\.1078 0 0 $nan $nan 0 $nan $nan 0 $nan $nan" \
    "0;0;273\.15;6\.1078;6\.1078;0;0;$nan;$nan;$nan;$nan;0;$nan;$nan;0;"
run_case text 20.9 " +0" "1013 hPa" "50%" "$fields1" "$set1"

echo "$((3 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
