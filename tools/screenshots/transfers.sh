#!/bin/bash
# The period transfer and the code transfer on fresh demo books: "Şirket Devri [F4]" filled in
# and its result; F7 in the customer cards (2101) and in the stock cards (3101), each window
# with its new code, the message after two yes answers and the list on the card afterwards.
#   tools/screenshots/transfers.sh [OUTDIR]   (needs xvfb-run, xdotool and ImageMagick's import)
# The clicks are screen positions of a 1280x800 screen with the main window as it opens.
source "$(dirname "$0")/common.sh" "${1:-}"

scene '
    xdotool key F4; sleep 2
    xdotool type --delay 40 yeni; xdotool key Return Return space; sleep 0.5
    shot transfer
    xdotool key F2; sleep 4; shot transfer-done
    xdotool key F2; sleep 1
    xdotool mousemove 622 349 click 1; sleep 1
    xdotool mousemove 710 367 click --repeat 2 1; sleep 2
    xdotool key F7; sleep 1.5
    xdotool key ctrl+a; xdotool type --delay 40 mus001; sleep 0.5; shot code-customer
    xdotool key F2; sleep 0.7; xdotool key F2; sleep 0.7; xdotool key F2; sleep 1.5
    shot code-customer-done
    xdotool key F2; sleep 1.5; shot code-customer-list
    xdotool key Escape; sleep 1.5
    xdotool mousemove 622 439 click 1; sleep 1
    xdotool mousemove 710 457 click --repeat 2 1; sleep 2
    xdotool key F7; sleep 1.5
    xdotool key ctrl+a; xdotool type --delay 40 yeni-stok-kodu; sleep 0.5; shot code-stock
    xdotool key F2; sleep 0.7; xdotool key F2; sleep 0.7; xdotool key F2; sleep 1.5
    shot code-stock-done
    xdotool key F2; sleep 1.5; shot code-stock-list'
ls "$out"
