#!/bin/bash
# Screenshots of the stock voucher, price change and inventory windows on fresh demo books.
#   tools/screenshots/stock.sh [OUTDIR]     (needs xvfb-run, xdotool and ImageMagick's import)
# The clicks are screen positions of a 1280x800 screen with the main window as it opens.
# The program switches Caps Lock on, so xdotool's small letters arrive as capitals.
source "$(dirname "$0")/common.sh" "${1:-}"

# A voucher of three lines: two entries and an exit, then the voucher list.
scene voucher '
    xdotool mousemove 623 439 click 1; sleep 1
    xdotool mousemove 726 475 click --repeat 2 1; sleep 2
    xdotool key F2; sleep 2
    xdotool mousemove 700 84 click 1; xdotool type --delay 30 "yil sonu sayim fisi"; xdotool key Return
    entry() {
        xdotool key F2; sleep 1
        xdotool type --delay 30 $1; xdotool key Return; sleep 0.5
        xdotool key Return Return; xdotool type --delay 30 $2; xdotool key Return Return
        xdotool type --delay 30 $3; xdotool key Return; xdotool type --delay 30 $4
        xdotool key Return Return Return; sleep 1
    }
    entry stk000001 b-101 10 5
    entry stk000002 b-102 4 3,5
    xdotool key F2; sleep 1
    xdotool type --delay 30 stk000003; xdotool key Return; sleep 0.5
    xdotool key Return Return; xdotool type --delay 30 c-7; xdotool key Return Return Return
    xdotool type --delay 30 2; xdotool key Return; xdotool type --delay 30 12; xdotool key Return
    sleep 0.5; shot voucher-line
    xdotool key Return; sleep 1; shot voucher
    xdotool key Escape; sleep 1; shot voucher-list'

# The price list, the price window of the last card, and the list after "Fiyat [3]" changed.
scene price '
    xdotool mousemove 623 421 click 1; sleep 1
    xdotool mousemove 750 457 click --repeat 2 1; sleep 2
    xdotool key F3; sleep 1.5; shot price-window
    xdotool key Return Return; xdotool key --delay 30 BackSpace BackSpace BackSpace BackSpace
    xdotool type --delay 50 5750; xdotool key Return; sleep 1.5; shot price-list'

# The financial inventory as of 30 November, and the profit analysis by the average.
for report in "inventory 565" "profit 583"; do
    set -- $report
    method=true
    if [ "$1" = profit ]; then method="xdotool key alt+o"; fi
    scene "$1" "
        xdotool mousemove 623 457 click 1; sleep 1
        xdotool mousemove 720 $2 click --repeat 2 1; sleep 2
        xdotool key Return Return; xdotool type --delay 30 30.11.2026; xdotool key Return
        $method; sleep 0.5; shot $1-criteria
        xdotool key F2; sleep 4; shot $1-preview"
done
ls "$out"
