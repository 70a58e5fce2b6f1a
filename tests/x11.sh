# Helpers for tests that drive the real program on its own X server.
# shellcheck shell=bash

# Starts Xvfb on a free display and exports DISPLAY. -noreset: otherwise the
# server resets when its last client leaves and refuses whoever connects then.
start_xvfb() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$fifo" 2>/dev/null &
    XVFB_PID=$!
    local n
    read -r -t 20 n <"$fifo" || { echo "Xvfb did not start" >&2; return 1; }
    rm -f "$fifo"
    export DISPLAY=":$n"
}

stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    return 0
}

# Starts brumo in the current directory and waits for its window; sets
# BRUMO_PID and BRUMO_WINDOW.
start_brumo() {
    "$BRUMO" "$@" >brumo.out 2>brumo.err &
    BRUMO_PID=$!
    BRUMO_WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --pid "$BRUMO_PID" --name '^Brumo$' | head -n 1)
    [ -n "$BRUMO_WINDOW" ] || { echo "no Brumo window" >&2; return 1; }
    xdotool windowfocus --sync "$BRUMO_WINDOW"
}

# Types the four inputs, starting in the temperature field.
type_inputs() {
    local first=1 text
    for text in "$@"; do
        [ $first -eq 1 ] || xdotool key --window "$BRUMO_WINDOW" Tab
        first=0
        xdotool type --delay 15 "$text"
    done
}

# From the humidity field along the focus chain: fourteen result fields, the
# close button, then the start button.
click_start() {
    xdotool key --delay 15 --repeat 16 Tab
    xdotool key space
}

# From the start button one step back is "Programmende".
click_close() {
    xdotool key shift+Tab
    xdotool key space
}

# Waits until the export file has its three lines and no scratch file is left.
wait_for_export() {
    local i
    for i in $(seq 1 200); do
        if [ -f Brumo_export.csv ] && [ "$(wc -l <Brumo_export.csv)" -eq 2 ] && [ ! -e temp ]; then
            sleep 0.3
            [ ! -e temp ] && return 0
        fi
        sleep 0.05
    done
    echo "no complete export" >&2
    return 1
}

# Waits for brumo to end and prints its exit code.
brumo_exit_code() {
    local rc=0
    timeout 20 tail --pid="$BRUMO_PID" -f /dev/null || { kill "$BRUMO_PID"; echo "brumo did not end" >&2; }
    wait "$BRUMO_PID" || rc=$?
    echo "$rc"
}
