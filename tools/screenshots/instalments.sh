#!/bin/bash
# An instalment sale on fresh demo books: a new sale's header from the list (1204), an invoice
# of one line, the plan window (100 down, three instalments), the sale window with its plan,
# a cash payment of an instalment, the templates window, the note's print window and its preview. A new invoice has no plan yet, so
# the sale window says the plan is short ("EKSİK") until it is made.
#   tools/screenshots/instalments.sh [OUTDIR]   (needs xvfb-run, xdotool and ImageMagick's import)
# The clicks are screen positions of a 1280x800 screen with the main window as it opens.
source "$(dirname "$0")/common.sh" "${1:-}"

scene '
    xdotool mousemove 622 295 click 1; sleep 1
    xdotool mousemove 730 313 click --repeat 2 1; sleep 2
    xdotool key F2; sleep 1.5
    xdotool key Return; xdotool type --delay 40 "buzdolabi"; xdotool key Return
    xdotool type --delay 40 m000001; xdotool key Return; sleep 1; shot instalment-header
    xdotool key F2; sleep 2
    xdotool key F2; sleep 1.5; shot instalment-invoice
    xdotool key F2; sleep 2
    xdotool key F2; sleep 1.5; xdotool type --delay 40 stk000001; xdotool key Return; sleep 0.5
    xdotool key Return Return; xdotool key ctrl+a; xdotool type --delay 40 2; xdotool key Return
    xdotool key ctrl+a; xdotool type --delay 40 500; xdotool key Return; sleep 0.5
    shot instalment-line
    xdotool key F2; sleep 1.5; xdotool key Escape; sleep 1.5
    shot instalment-sale
    xdotool key F2; sleep 0.7
    xdotool key Right; sleep 0.3; xdotool key F2; sleep 1.5
    xdotool key ctrl+a; xdotool type 30; xdotool key Return
    xdotool key ctrl+a; xdotool type 3; xdotool key Return Return Return
    xdotool key ctrl+a; xdotool type 100; xdotool key Return; sleep 0.5; shot instalment-plan
    xdotool key F2; sleep 2; shot instalment-planned
    xdotool key Right; sleep 0.3; xdotool key F2; sleep 1.5; shot instalment-payment
    xdotool key F2; sleep 2; shot instalment-paid
    xdotool key F8; sleep 1.5; shot instalment-templates
    xdotool key Escape; sleep 1
    xdotool key F5; sleep 1.5; xdotool type --delay 40 "15 ocak 2027"; xdotool key Return Return
    xdotool type --delay 40 "11.12.2026"; xdotool key Return
    xdotool type --delay 40 "ornek ticaret ltd."; xdotool key Return; sleep 0.5
    shot instalment-note-window
    xdotool key F2; sleep 2.5; shot instalment-note-preview
    xdotool key Escape; sleep 1'
ls "$out"
