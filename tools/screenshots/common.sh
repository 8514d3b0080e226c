# What the screenshot scripts share; sourced with the output directory as $1.
# Fresh small demo books in a temporary program directory, and scene(): the program started in
# a virtual 1280x800 screen, logged in with "demo", the steps given (shot NAME saves the screen
# as NAME.png), then stopped. The program switches Caps Lock on, so xdotool's small letters
# arrive as capitals.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=${1:-/tmp/dulvet-shots}
build=${BUILD:-$here/build}
mkdir -p "$out"
books=$(mktemp -d)
trap 'rm -rf "$books"' EXIT
"$build/tools/dulvet-admin" init "$books" >/dev/null
"$build/tools/dulvet-admin" demo "$books" DEMO --size small >/dev/null

scene() { # [NAME] STEPS: the steps after logging in, as one shell text
    local steps="${*: -1}"
    xvfb-run -a -s "-screen 0 1280x800x24" bash -c "
        '$build/dulvet' --dir '$books' 2>/dev/null & sleep 4
        shot() { import -window root '$out'/\$1.png; }
        xdotool mousemove 705 356 click 1; xdotool type demo; xdotool key F2; sleep 2
        $steps
        kill %1" 2>/dev/null || true
}
