#!/usr/bin/env bash
# A picture of one window, taken under Xvfb: scripts/screenshot.sh BUILD WINDOW OUT.png
# (hoardly-screenshot without arguments lists the windows it knows).
set -euo pipefail
if [ $# -ne 3 ]; then
    echo "usage: $0 BUILD WINDOW OUT.png" >&2
    exit 2
fi
build="$1"
window="$2"
out="$3"
tool="$build/src/hoardly-screenshot"
[ -x "$tool" ] || { echo "no $tool: build first" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1280x800x24" "$tool" "$window" "$out"
echo "wrote $out"
