#!/usr/bin/env bash
# The first page of each printed list over the demo catalogue, as a PNG for the docs:
# scripts/print-pictures.sh BUILD [OUTDIR]  (default docs/screenshots/print-<list>.png)
set -euo pipefail
build="${1:?usage: $0 BUILD [OUTDIR]}"
outdir="$(realpath -m "${2:-docs/screenshots}")"
tool="$build/src/hoardly-screenshot"
[ -x "$tool" ] || { echo "no $tool: build first" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$outdir"
for list in film music software literature codes addresses inventory; do
    QT_QPA_PLATFORM=offscreen "$tool" "pdf-$list" "$work/$list.pdf" >/dev/null
    pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/$list.pdf" "$outdir/print-$list"
    echo "wrote $outdir/print-$list.png"
done
