#!/bin/bash
# The report designer on fresh demo books: F7 in the lines of the first sales invoice, "Fatura
# dizaynı", an element selected with its handles beside the preview pane, its "Ebatlar" and
# "Özellikler" windows, "Rapor ayarları" of the report, and the preview after a label was added.
#   tools/screenshots/designer.sh [OUTDIR]   (needs xvfb-run, xdotool and ImageMagick's import)
# The clicks are screen positions of a 1280x800 screen with the windows as they open.
source "$(dirname "$0")/common.sh" "${1:-}"

# FATURA → Hareketler → "Satış faturası", Enter on the first invoice, F7, "Fatura dizaynı".
open_designer="
    xdotool mousemove 623 241 click 1; sleep 1
    xdotool mousemove 717 277 click --repeat 2 1; sleep 2
    xdotool key Return; sleep 2
    xdotool key F7; sleep 2; shot designer-choosing
    xdotool mousemove 894 16 click 1; sleep 3"
scene "$open_designer
    xdotool mousemove 280 282 click 1; sleep 0.5; shot designer
    xdotool mousemove 280 282 click 3; sleep 0.7; shot designer-menu
    xdotool mousemove 330 317 click 1; sleep 1.5; shot designer-sizes
    xdotool key Escape; sleep 0.7
    xdotool mousemove 280 282 click 3; sleep 0.7
    xdotool mousemove 330 294 click 1; sleep 1.5; shot designer-properties
    xdotool key Escape; sleep 0.7
    xdotool mousemove 40 98 click 3; sleep 0.7
    xdotool mousemove 90 110 click 1; sleep 1.5; shot designer-report-settings
    xdotool key Escape; sleep 0.7
    xdotool mousemove 245 51 click 1; sleep 0.3
    xdotool mousemove 300 160 click 1; sleep 2; shot designer-new-label"
ls "$out"
