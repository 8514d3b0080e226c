#!/bin/bash
# Screenshots of the barcode counter and of a customer voucher on fresh demo books.
#   tools/screenshots/counter.sh [OUTDIR]   (needs xvfb-run, xdotool and ImageMagick's import)
# The clicks are screen positions of a 1280x800 screen with the main window as it opens. The
# program switches Caps Lock on, so xdotool's small letters arrive as capitals.
source "$(dirname "$0")/common.sh" "${1:-}"
# Scale labels of 13 characters: the card's code in 2, the weight in grams in 5.
printf '\n[TARTI]\nVARMI=EVET\nKODBOYU=2\nBOYU=13\nAGIRLIKBOYU=5\nAGIRLIKBOLENI=1000\n' \
    >>"$books/Users.ini"

# A closed sale: two scans of one card, another card, a scale label; the change window; F8 saves
# and prints (a screen without a printer says the invoice was saved but not printed).
scene '
    xdotool mousemove 623 241 click 1; sleep 1
    xdotool mousemove 740 260 click --repeat 2 1; sleep 2
    xdotool key F2; sleep 1.5
    xdotool type --delay 30 m000001; xdotool key Return; sleep 0.5
    xdotool key F2; sleep 2
    for c in stk000001 stk000001 stk000002 2701250000003; do
        xdotool type --delay 10 $c; xdotool key Return; sleep 0.3
    done
    sleep 0.5; shot counter
    xdotool key F8; sleep 1; xdotool key F2; sleep 1
    xdotool type --delay 30 20000; xdotool key Return; sleep 0.5; shot counter-change
    xdotool key Return; sleep 1.5; shot counter-saved'

# The sale where the books show it: the sales invoices, the stock and customer movements, the
# cash book (the small demo's cash is in the red, which it says first), the invoice list and the VAT summary (previews). Each opens from a fresh tree:
# the branch at BRANCH_Y opened, the command at COMMAND_Y run.
walk() { # NAME BRANCH_Y COMMAND_Y [KEYS AFTER OPENING]
    scene "
        xdotool mousemove 623 $2 click 1; sleep 1
        xdotool mousemove 720 $3 click --repeat 2 1; sleep 2
        ${4:-}
        shot $1"
}
walk sale-1202 241 278 'xdotool key ctrl+End; sleep 1'
walk sale-3201 439 457 'xdotool key alt+k; sleep 0.5; xdotool key ctrl+Home Down Down F2; sleep 1.5; xdotool key ctrl+End; sleep 1'
walk sale-2201 367 385 'xdotool key alt+k; sleep 0.5; xdotool key ctrl+Home Down Down F2; sleep 1.5; xdotool key ctrl+End; sleep 1'
walk sale-5203 547 601 'xdotool key F2; sleep 1.5; xdotool key ctrl+End; sleep 1'
walk sale-1301 259 278 'xdotool key alt+s; sleep 0.5; xdotool key alt+d; sleep 0.5; xdotool key F2; sleep 3; xdotool key End; sleep 1'
walk vat-summary 259 296
walk vat-summary-preview 259 296 'xdotool key F2; sleep 3'

# A customer voucher: a debit of one customer and a credit of another.
scene '
    xdotool mousemove 623 367 click 1; sleep 1
    xdotool mousemove 730 403 click --repeat 2 1; sleep 2
    xdotool key F2; sleep 2
    xdotool mousemove 700 84 click 1; xdotool type --delay 30 "virman"; xdotool key Return
    line() {
        xdotool key F2; sleep 1
        xdotool type --delay 30 $1; xdotool key Return; sleep 0.5
        xdotool key Return Return Return; xdotool type --delay 30 $2; xdotool key Return Return
        xdotool type --delay 30 $3; xdotool key Return; xdotool type --delay 30 $4
        xdotool key Return; sleep 1
    }
    line m000001 d-1 100 0
    line m000002 d-1 0 100
    sleep 0.5; shot customer-voucher'
ls "$out"
