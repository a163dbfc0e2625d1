#!/usr/bin/env bash
# The graph window end to end: opening, read-out in the title, axis switch, shared axis state,
# resizing, and the program's end when its last window closes.
source "$(dirname "$0")/lib.sh"

TITLE="Sort Times for Randomly Ordered Files in Range 1000 to 10000"

# ink WINDOW X Y W H: "1" when the region (top-left origin, as X sees it) has dark pixels.
ink() {
    import -window "$1" "$E2E_OUT/probe.png"
    convert "$E2E_OUT/probe.png" -crop "$4x$5+$2+$3" +repage \
        -format '%[fx:minima.intensity < 0.5 ? 1 : 0]' info:
}

# has_ink EXPECTED WINDOW X Y W H
has_ink() { [ "$(ink "$2" "$3" "$4" "$5" "$6")" = "$1" ]; }

# titled WINDOW TEXT / title_matches WINDOW REGEX
titled() { [ "$(window_title "$1")" = "$2" ]; }
title_matches() { [[ "$(window_title "$1")" =~ $2 ]]; }

# The minus-infinity tick, left of the y axis at y = 40, shows on the log axis only.
log_axis() { has_ink 1 "$1" 55 258 3 4; }
linear_axis() { has_ink 0 "$1" 55 258 3 4; }

geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
    /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}'; }

start_xvfb
start_app
control=$(wait_window '^Kestrova$')

# Before any run there is nothing to view.
click "$control" 100 612
sleep 0.5
[ -z "$(xdotool search --onlyvisible --name '^Sort Times' 2>/dev/null || true)" ] ||
    fail "View Graph opened a window before any run"

type_into "$control" 40 112 1
click "$control" 100 252
wait_stdout 'Done with sort 4' 10

click "$control" 100 612
graph=$(wait_window "^$TITLE\$")
read -r gx gy gw gh < <(geometry "$graph")
[ "$gx $gy $gw $gh" = "100 100 600 300" ] || fail "graph window at $gx,$gy size ${gw}x$gh"
sleep 0.5
screenshot "$graph" log

# Read-out: x = 539 of a 600-wide window is size 9980 of the range 1000..10000.
xdotool mousemove --window "$graph" 539 150
readout="^$TITLE: {4}9980 {2}: {2}-?[0-9]+\.[0-9]{6}\$"
eventually title_matches "$graph" "$readout" || fail "read-out title '$(window_title "$graph")'"

# Outside the plot area (left margin): the bare title.
xdotool mousemove --window "$graph" 30 150
eventually titled "$graph" "$TITLE" || fail "outside the plot: '$(window_title "$graph")'"

# A drag neither switches back nor touches the title while the button is held.
xdotool mousemove --window "$graph" 300 150
sleep 0.3
before=$(window_title "$graph")
xdotool mousedown 1 mousemove --window "$graph" 400 120 sleep 0.3
[ "$(window_title "$graph")" = "$before" ] || fail "a drag changed the title"
xdotool mouseup 1
sleep 0.3
# That press switched to seconds: the minus-infinity tick left of the y axis is gone.
eventually linear_axis "$graph" || fail "the -Infinity tick stayed on the linear axis"
screenshot "$graph" linear
click "$graph" 300 150
eventually log_axis "$graph" || fail "two presses did not restore the log axis"

# A second window on the same record shares its axis.
click "$control" 100 612
other_graph() { xdotool search --onlyvisible --name "^$TITLE" | grep -v "^$graph\$" | head -n1; }
has_other_graph() { [ -n "$(other_graph)" ]; }
eventually has_other_graph || fail "no second graph window"
second=$(other_graph)
xdotool windowmove "$second" 300 500
sleep 0.3
click "$second" 300 150
xdotool mousemove --window "$graph" 300 150 sleep 0.1 mousemove --window "$graph" 310 150
sleep 0.3
eventually linear_axis "$graph" || fail "the first window kept the log axis"
click "$second" 300 150

# An enlarged window's plot fills it: the x axis reaches w - 40, the y axis h - 40.
xdotool windowsize "$graph" 900 500
sleep 0.5
xdotool mousemove --window "$graph" 450 250
sleep 0.3
screenshot "$graph" enlarged
eventually has_ink 1 "$graph" 850 458 4 4 || fail "the x axis does not reach the enlarged right edge"
eventually has_ink 1 "$graph" 58 44 4 4 || fail "the y axis does not reach the enlarged top"

# The program ends, with status 0, only when its last window has closed.
close_window "$graph"
close_window "$control"
kill -0 "$APP_PID" || fail "the program ended while a graph window was open"
close_window "$second"
wait_exit 10
[ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS"
echo "PASS"
