#!/bin/bash
# A sales order on fresh demo books: a new order's header from the list (7201), two lines, the
# order window with its totals, an invoice of everything still open (its header and its lines),
# the order window with the quantities delivered, the order's print preview and the list; then
# the order list report (7301) of the demo's sales orders with their lines in the preview.
#   tools/screenshots/orders.sh [OUTDIR]   (needs xvfb-run, xdotool and ImageMagick's import)
# The clicks are screen positions of a 1280x800 screen with the main window as it opens. The
# program switches Caps Lock on, so xdotool's small letters arrive as capitals.
source "$(dirname "$0")/common.sh" "${1:-}"

scene '
    xdotool mousemove 622 187 click 1; sleep 1
    xdotool mousemove 740 205 click --repeat 2 1; sleep 2
    xdotool key F2; sleep 1.5
    xdotool key Return Return Return Return; xdotool type --delay 40 "okul siparisi"
    xdotool key Return; xdotool type --delay 40 m000001; xdotool key Return; sleep 1
    shot order-header
    xdotool key F2; sleep 2
    xdotool key F2; sleep 1.5; xdotool type --delay 40 stk000001; xdotool key Return; sleep 0.5
    xdotool key Return Return Return Return; xdotool key ctrl+a; xdotool type --delay 40 10
    xdotool key Return; sleep 0.5; shot order-line
    xdotool key F2; sleep 1.5
    xdotool key F2; sleep 1.5; xdotool type --delay 40 stk000002; xdotool key Return; sleep 0.5
    xdotool key Return Return Return Return; xdotool key ctrl+a; xdotool type --delay 40 5
    xdotool key Return; xdotool key F2; sleep 1.5
    shot order-lines
    xdotool key Right; sleep 0.3; xdotool key F2; sleep 1.5; shot order-invoice
    xdotool key F2; sleep 2; shot order-invoice-lines
    xdotool key Escape; sleep 1.5; shot order-delivered
    xdotool key Left; sleep 0.3; xdotool key F5; sleep 2.5; shot order-preview
    xdotool key Escape; sleep 1; xdotool key Escape; sleep 1.5
    xdotool key alt+m; sleep 0.5; shot order-list
    xdotool key Escape; sleep 1'

# The order list (7301) of the demo's sales orders, all of them with their lines, previewed.
scene '
    xdotool mousemove 622 205 click 1; sleep 1
    xdotool mousemove 740 223 click --repeat 2 1; sleep 2
    xdotool key alt+s alt+d alt+3; sleep 0.5; shot order-list-report
    xdotool key F2; sleep 3; shot order-list-preview
    xdotool key Escape; sleep 1; xdotool key Escape; sleep 1'
ls "$out"
