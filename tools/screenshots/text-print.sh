#!/bin/bash
# A new user's first text-mode print: the customer statement of the demo books in the preview,
# "Dos ayarları" (Alt+F5) set to a file at 17 characters to the inch and saved with F2, which prints the statement into it
# at once; then the file as the printer reads it, shown as a picture and on the terminal.
#   tools/screenshots/text-print.sh [OUTDIR]   (needs xvfb-run, xdotool and ImageMagick)
# The clicks are screen positions of a 1280x800 screen with the main window as it opens.
source "$(dirname "$0")/common.sh" "${1:-}"
# The program keeps Caps Lock on, so xdotool types the path in capitals to get small letters.
printer=/tmp/dulvet-ekstre.prn
rm -f "$printer"

# CARİ → Raporlar → "Cari kart extresi": the first customer's statement over the working year.
scene "
    xdotool mousemove 623 385 click 1; sleep 1
    xdotool mousemove 726 457 click --repeat 2 1; sleep 2
    shot statement
    xdotool key F2; sleep 3; shot statement-preview
    xdotool key alt+F5; sleep 1.5
    xdotool mousemove 640 397 click 1; sleep 0.3
    xdotool key ctrl+a; xdotool type --delay 20 '${printer^^}'; sleep 0.3
    shot statement-dos-settings
    xdotool key F2; sleep 2; shot statement-dos-printed"
[ -s "$printer" ] || { echo "Yazıcıya bir şey gitmedi: $printer" >&2; exit 1; }
# The printer's bytes: the pitch byte, code page 857, CR LF line ends, form feeds.
text=$(tail -c +2 "$printer" | tr -d '\r\f' | iconv -f CP857 -t UTF-8)
# ImageMagick's label takes a few lines at a time and drops the blanks a part starts with (no-break
# spaces of the same width stand for them); the parts are put one under the other.
parts=$(mktemp -d)
mapfile -t lines <<<"$text"
for ((i = 0; i < ${#lines[@]}; i += 8)); do
    part=$(printf '%s\n' "${lines[@]:i:8}" | sed -e 's/^$/ /' -e ':a' -e 's/^\(\xc2\xa0*\) /\1\xc2\xa0/' -e 'ta')
    convert -background white -fill black -font DejaVu-Sans-Mono -pointsize 13 \
        label:"$part" "$parts/$(printf %04d "$i").png"
done
convert "$parts"/*.png -append -bordercolor white -border 12 "$out/statement-dos-text.png"
rm -rf "$parts"
printf '%s\n' "$text"
ls "$out"
