#!/usr/bin/env bash
# One whole run of the real program under valgrind memcheck: no error may
# point into Brumo's own code.
set -euo pipefail
BRUMO=$1
source "$(dirname "$0")/x11.sh"

work=$(mktemp -d)
trap 'stop_xvfb; rm -rf "$work"' EXIT
start_xvfb
cd "$work"

BRUMO_WRAPPER="valgrind --tool=memcheck --child-silent-after-fork=yes --leak-check=no --track-origins=yes --xml=yes --xml-file=$work/memcheck.xml" \
    WINDOW_TIMEOUT=180 start_brumo
type_inputs 20 0 1013 50
click_start
EXPORT_POLLS=1200 wait_for_export || { echo "FAIL: no export under valgrind"; exit 1; }
click_close
for _ in $(seq 1 600); do
    kill -0 "$BRUMO_PID" 2>/dev/null || break
    sleep 0.1
done
wait_brumo
[ "$BRUMO_RC" = 0 ] || { echo "FAIL: exit code $BRUMO_RC"; exit 1; }

# Each <error> record that has a frame in one of our sources counts.
total=$(grep -c '<error>' memcheck.xml || true)
ours=$(awk '/<error>/ { e = 1; o = 0 } e && /<file>(engine|Brumo|main)\.cpp<\/file>/ { o = 1 }
            /<\/error>/ { if (o) n++; e = 0 } END { print n + 0 }' memcheck.xml)
echo "memcheck: $total errors in all, $ours in Brumo's code"
if [ "$ours" -ne 0 ]; then
    echo "FAIL: memcheck errors in Brumo's code"
    exit 1
fi
echo "1 passed, 0 failed"
