#!/bin/bash
# Screenshots of shelf labels, customer labels and text-mode printing on fresh demo books.
#   tools/screenshots/labels.sh [OUTDIR]   (needs xvfb-run, xdotool and ImageMagick's import)
# The clicks are screen positions of a 1280x800 screen with the main window as it opens.
source "$(dirname "$0")/common.sh" "${1:-}"
# The program keeps Caps Lock on, so xdotool types the path in capitals to get small letters.
printer=/tmp/dulvet-yazici.prn
rm -f "$printer"

# STOK → Raporlar → "Etiket basımı": the window; labels 100 pixels high with barcodes; their
# preview; "Dos ayarları" from the preview (Alt+F5) set to a file, saved with F2, which prints
# the labels' text into it at once.
scene "
    xdotool mousemove 623 457 click 1; sleep 1
    xdotool mousemove 716 493 click --repeat 2 1; sleep 2
    xdotool key Up; sleep 0.3; xdotool key ctrl+a; xdotool key 1 0 0; sleep 0.3
    xdotool mousemove 650 296 click 1; sleep 0.5
    shot shelf-labels
    xdotool key F2; sleep 3; shot shelf-labels-preview
    xdotool key alt+F5; sleep 1.5
    xdotool key ctrl+a; xdotool type --delay 20 '${printer^^}'; sleep 0.3; shot dos-settings
    xdotool key F2; sleep 2; shot dos-printed"
# CARİ → Raporlar → "Cari kart etiket basımı": the window set to an A4 page, and the standard
# sheet of twelve in the preview.
scene "
    xdotool mousemove 623 385 click 1; sleep 1
    xdotool mousemove 740 475 click --repeat 2 1; sleep 2
    for i in 1 2 3 4 5 6 7 8 9; do xdotool key Down; done
    xdotool key ctrl+a 2 9 7 Down ctrl+a 2 1 0; sleep 0.5
    shot customer-labels
    xdotool key F2; sleep 3; shot customer-labels-preview"
echo "Yazıcıya giden: $(stat -c %s "$printer" 2>/dev/null || echo 0) bayt"
ls "$out"
