#!/usr/bin/env bash
# Puts Hoardly into the user's application menu, or takes it out again, without touching the
# application directory's tables:
#   scripts/desktop-entry.sh install APPDIR BUILD
#   scripts/desktop-entry.sh uninstall
# Files go under $XDG_DATA_HOME (~/.local/share unless set).
set -euo pipefail
id=org.example.hoardly.Hoardly
here="$(cd "$(dirname "$0")/.." && pwd)"
data="${XDG_DATA_HOME:-$HOME/.local/share}"
entry="$data/applications/$id.desktop"
metainfo="$data/metainfo/$id.metainfo.xml"
icons="$data/icons/hicolor"
icon_files=("$icons/scalable/apps/$id.svg")
for size in 48 128 256; do
    icon_files+=("$icons/${size}x${size}/apps/$id.png")
done

refresh() {
    if command -v update-desktop-database >/dev/null; then
        update-desktop-database -q "$data/applications" || true
    fi
    if command -v gtk-update-icon-cache >/dev/null && [ -f "$icons/index.theme" ]; then
        gtk-update-icon-cache -q -t -f "$icons" || true
    fi
}

case "${1:-}" in
install)
    appdir="$(realpath -m "$2")"
    build="$3"
    mkdir -p "$data/applications" "$data/metainfo" "$icons/scalable/apps"
    # The entry names the program by its full path and starts it in its own directory.
    sed "s|@APPDIR@|$appdir|g" "$here/resources/desktop/$id.desktop.in" >"$entry.part"
    mv "$entry.part" "$entry"
    install -m 644 "$here/resources/desktop/$id.metainfo.xml" "$metainfo"
    install -m 644 "$build/icons/$id.svg" "$icons/scalable/apps/$id.svg"
    for size in 48 128 256; do
        install -D -m 644 "$build/icons/$id-$size.png" "$icons/${size}x${size}/apps/$id.png"
    done
    refresh
    echo "Desktop entry: $entry"
    ;;
uninstall)
    rm -f "$entry" "$metainfo" "${icon_files[@]}"
    refresh
    ;;
*)
    echo "usage: $0 install APPDIR BUILD | uninstall" >&2
    exit 2
    ;;
esac
