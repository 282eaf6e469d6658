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
out="$(realpath -m "$3")" # absolute: a window may move the working directory
tool="$build/src/hoardly-screenshot"
[ -x "$tool" ] || { echo "no $tool: build first" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
# A window manager, when one is installed, draws the frames and captions of message boxes.
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & sleep 1; fi
    exec "$@"' screenshot "$tool" "$window" "$out"
echo "wrote $out"
