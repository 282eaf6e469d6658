#!/usr/bin/env bash
# Installing puts a valid desktop entry, metainfo and icon into the user's data folder, naming
# the installed program; uninstalling takes them and the program out and keeps every table.
set -euo pipefail
build="$(realpath "$1")"
source_dir="$(realpath "$2")"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
app="$dir/My Hoardly"
export XDG_DATA_HOME="$dir/data"
id=org.example.hoardly.Hoardly
fail() { echo "$*"; exit 1; }

cd "$source_dir"
# What "make install" does, without building again while the tests run.
cmake --install "$build" --prefix "$app" >/dev/null
bash scripts/desktop-entry.sh install "$app" "$build" >/dev/null
entry="$XDG_DATA_HOME/applications/$id.desktop"
metainfo="$XDG_DATA_HOME/metainfo/$id.metainfo.xml"
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
appstreamcli validate --no-net "$metainfo" || fail "the metainfo does not validate"
grep -qx "Exec=\"$app/hoardly\"" "$entry" || fail "the entry does not start the installed program"
grep -qx "Path=$app" "$entry" || fail "the entry does not start in the application directory"
grep -qx "Icon=$id" "$entry" || fail "the entry does not name the icon"
[ -x "$app/hoardly" ] || fail "the program the entry names is not installed"
svg="$XDG_DATA_HOME/icons/hicolor/scalable/apps/$id.svg"
grep -q "<svg" "$svg" || fail "no scalable icon"
for size in 48 128 256; do
    png="$XDG_DATA_HOME/icons/hicolor/${size}x${size}/apps/$id.png"
    [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "no $size pixel icon"
done

sqlite3 "$app/film.DB" "INSERT INTO Film (Titel) VALUES ('Kept after uninstalling')"
tables=$(cd "$app" && ls ./*.db ./*.DB midi/* | sort)
make --no-print-directory -s uninstall APPDIR="$app" >/dev/null
[ ! -e "$app/hoardly" ] || fail "the program is still there"
[ ! -e "$app/help" ] || fail "the help book is still there"
[ ! -e "$entry" ] && [ ! -e "$metainfo" ] && [ ! -e "$svg" ] || fail "the desktop files are still there"
[ "$(cd "$app" && ls ./*.db ./*.DB midi/* | sort)" = "$tables" ] || fail "uninstalling took a table"
[ "$(sqlite3 "$app/film.DB" 'SELECT Titel FROM Film')" = "Kept after uninstalling" ] \
    || fail "film.DB changed"
echo "the desktop entry installs, validates and goes again, and the tables stay"
