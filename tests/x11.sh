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
# BRUMO_PID and BRUMO_WINDOW. Its output goes to brumo.out and brumo.err in
# LOGDIR (default: here); BRUMO_WRAPPER may run it under another program.
start_brumo() {
    local logdir=${LOGDIR:-$PWD}
    # shellcheck disable=SC2086
    ${BRUMO_WRAPPER:-} "$BRUMO" "$@" >"$logdir/brumo.out" 2>"$logdir/brumo.err" &
    BRUMO_PID=$!
    BRUMO_WINDOW=$(timeout "${WINDOW_TIMEOUT:-20}" xdotool search --all --sync --onlyvisible --pid "$BRUMO_PID" --name '^Brumo$' | head -n 1)
    [ -n "$BRUMO_WINDOW" ] || { echo "no Brumo window" >&2; return 1; }
    xdotool windowfocus --sync "$BRUMO_WINDOW"
}

# Types the four inputs, starting in the temperature field.
type_inputs() {
    local first=1 text
    for text in "$@"; do
        [ $first -eq 1 ] || xdotool key --window "$BRUMO_WINDOW" Tab
        first=0
        xdotool type --delay 15 -- "$text"
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
    for i in $(seq 1 "${EXPORT_POLLS:-200}"); do
        if [ -f Brumo_export.csv ] && [ "$(wc -l <Brumo_export.csv)" -eq 2 ] && [ ! -e temp ]; then
            sleep 0.3
            [ ! -e temp ] && return 0
        fi
        sleep 0.05
    done
    echo "no complete export" >&2
    return 1
}

# Waits for brumo to end; sets BRUMO_RC to its exit code.
wait_brumo() {
    BRUMO_RC=0
    local i
    for i in $(seq 1 400); do
        kill -0 "$BRUMO_PID" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$BRUMO_PID" 2>/dev/null && { echo "brumo did not end" >&2; kill "$BRUMO_PID"; }
    wait "$BRUMO_PID" || BRUMO_RC=$?
}

# With the start button focused: prints the fourteen result fields, one a
# line, copied through the clipboard, and leaves the start button focused.
read_fields() {
    xdotool key --delay 15 --repeat 5 Tab
    local i before text
    for i in $(seq 1 14); do
        before=$(xclip -o -selection clipboard 2>/dev/null || true)
        # xclip stays to serve the selection: it must not hold our output open.
        printf 'brumo-e2e-%s' "$i" | xclip -i -selection clipboard >/dev/null 2>&1
        xdotool key ctrl+a ctrl+c
        # The copy is done once the marker is gone (an empty field copies nothing).
        for _ in $(seq 1 20); do
            text=$(xclip -o -selection clipboard 2>/dev/null || true)
            [ "$text" != "brumo-e2e-$i" ] && break
            sleep 0.05
        done
        [ "$text" = "brumo-e2e-$i" ] && text=""
        printf '%s\n' "$text"
        xdotool key Tab
    done
    xdotool key Tab
}
