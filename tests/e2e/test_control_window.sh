#!/usr/bin/env bash
# The control window end to end: its title and size, typed inputs, a key order, "Run Sorts" and
# its console lines, a refused input, the browser line of each run, and a clean exit.
source "$(dirname "$0")/lib.sh"

# console: the program's standard output with every time replaced by T, so it compares exactly.
console() {
    sed -E 's/^(  Done with sort [0-4] after )[0-9]+\.[0-9]{6}( seconds\. )$/\1T\2/' "$E2E_OUT/stdout"
}

# run_lines SIZE...: the console lines of a run over these sizes.
run_lines() {
    local size index
    for size in "$@"; do
        printf '\nSorting %d files:\n' "$size"
        for index in 0 1 2 3 4; do printf '  Done with sort %d after T seconds. \n' "$index"; done
    done
}

# type_negative WINDOW X Y DIGITS: types -DIGITS; xdotool would take "-5" for an option.
type_negative() {
    xdotool mousemove --window "$1" "$2" "$3" sleep 0.1 click 1 key ctrl+a key minus type "$4"
    sleep 0.1
}

# pixel NAME X Y: the colour "r,g,b" of one pixel of the screenshot $E2E_OUT/NAME.png.
pixel() {
    convert "$E2E_OUT/$1.png" -crop "1x1+$2+$3" +repage \
        -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:
}

start_xvfb
start_app
control=$(wait_window '^Kestrova$')
read -r width height < <(xwininfo -id "$control" | awk '/Width:/{w=$NF} /Height:/{h=$NF} END{print w, h}')
[ "$width x $height" = "200 x 635" ] || fail "control window is $width x $height"

# "View Graph" before any run opens nothing.
click "$control" 100 612
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '^Sort Times' 2>/dev/null || true)" ] ||
    fail "View Graph opened a window before any run"

# Small sizes keep the run quick: 100 to 2000 in 5 points, 2 iterations, ordered keys.
type_into "$control" 40 22 100
type_into "$control" 40 52 2000
type_into "$control" 40 82 5
type_into "$control" 40 112 2
click "$control" 40 200
click "$control" 100 252
wait_stdout 'Done with sort 4' 5
expected=$(run_lines 100 575 1050 1525 2000)
[ "$(console)" = "$expected" ] || fail "console after the first run:
$(cat "$E2E_OUT/stdout")"

# A refused input prints its one line and leaves the program working.
type_negative "$control" 40 22 5
click "$control" 100 252
wait_stdout '^File Lower Bound must be 0 or more\.$' 1
expected+=$'\nFile Lower Bound must be 0 or more.'
[ "$(console)" = "$expected" ] || fail "console after the refusal:
$(cat "$E2E_OUT/stdout")"

# Reverse-ordered, 3 points: a second browser line, selected.
type_into "$control" 40 22 100
type_into "$control" 40 82 3
click "$control" 40 225
click "$control" 100 252
wait_stdout 'Done with sort 4' 8
expected+=$'\n'$(run_lines 100 1050 2000)
[ "$(console)" = "$expected" ] || fail "console after the second run:
$(cat "$E2E_OUT/stdout")"
xdotool mousemove --window "$control" 100 630
sleep 0.3
screenshot "$control" control-window
# The browser's lines are 17 pixels high from row 277; the new line, the second, is selected.
[ "$(pixel control-window 180 301)" = "0,0,128" ] || fail "the second browser line is not selected"
[ "$(pixel control-window 180 285)" != "0,0,128" ] || fail "the first browser line stayed selected"

# Without a window manager, WM_DELETE_WINDOW stands in for the close button.
close_window "$control"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
[ ! -s "$E2E_OUT/stderr" ] || fail "the program wrote to stderr: $(cat "$E2E_OUT/stderr")"
echo "PASS"
