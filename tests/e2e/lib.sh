# Shared by the end-to-end tests: a private X server, the program under test, and xdotool helpers.
# Sourced by test_*.sh, which are called with the path of the kestrova binary.
set -euo pipefail

KESTROVA=${1:?usage: test_NAME.sh KESTROVA_BINARY}
E2E_OUT=${E2E_OUT:-$(mktemp -d)}
mkdir -p "$E2E_OUT"
APP_PID=
XVFB_PID=

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    return 0
}
trap cleanup EXIT

# Always a private server, also when DISPLAY is set: no window manager, nothing on a user's desktop.
start_xvfb() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 200); do
        [ -s "$fdfile" ] && break
        sleep 0.05
    done
    [ -s "$fdfile" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
}

# start_app: runs the program with its console in $E2E_OUT/stdout.
start_app() {
    "$KESTROVA" >"$E2E_OUT/stdout" 2>"$E2E_OUT/stderr" &
    APP_PID=$!
}

# wait_window REGEX: prints the id of the first window whose title matches.
wait_window() {
    local id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    fail "no window titled /$1/"
}

window_title() { xdotool getwindowname "$1"; }

# click WINDOW X Y: a left click at window pixel (X, Y).
click() {
    xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click 1
    sleep 0.2
}

# type_into WINDOW X Y TEXT: without a window manager focus follows the pointer.
type_into() {
    xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click 1 key ctrl+a type "$4"
    sleep 0.1
}

# eventually COMMAND...: true once COMMAND succeeds, polling for up to 5 s. A redraw or a title
# change reaches the X server some time after the event that caused it, later on a loaded machine.
eventually() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

# screenshot WINDOW NAME: $E2E_OUT/NAME.png
screenshot() {
    import -window "$1" "$E2E_OUT/$2.png"
}

# close_window WINDOW: as a window manager's close button would.
close_window() {
    "${X_CLOSE:?X_CLOSE names the x_close tool}" "$1"
    sleep 0.2
}

# wait_exit SECONDS: waits for the program to end and sets EXIT_STATUS. Call it directly, never
# in $(...): a subshell cannot wait for the program, which is not its child.
wait_exit() {
    for _ in $(seq $(($1 * 20))); do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            wait "$APP_PID" && EXIT_STATUS=0 || EXIT_STATUS=$?
            APP_PID=
            return 0
        fi
        sleep 0.05
    done
    fail "the program did not end within $1 s"
}

# wait_stdout PATTERN COUNT: until the console holds COUNT lines matching PATTERN.
wait_stdout() {
    for _ in $(seq 1200); do
        [ "$(grep -c -- "$1" "$E2E_OUT/stdout" || true)" -ge "$2" ] && return 0
        sleep 0.05
    done
    fail "console never had $2 lines matching /$1/"
}
