#!/usr/bin/env bash
# Installing twice into one directory keeps the tables the user changed in between.
set -euo pipefail
build="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

cmake --install "$build" --prefix "$dir" > /dev/null
[ -x "$dir/hoardly" ] || { echo "no program installed"; exit 1; }
[ -f "$dir/film.DB" ] || { echo "no starter table installed"; exit 1; }
[ -f "$dir/help/contents.txt" ] || { echo "no help book installed"; exit 1; }
# The installed help shows its pictures: every picture a page names is there, as a file of
# its own (not a link back into the source tree).
[ -d "$dir/help/pictures" ] && [ ! -L "$dir/help/pictures" ] \
    || { echo "the help book's pictures were not installed"; exit 1; }
shown=0
for page in "$dir"/help/*.html; do
    for picture in $(grep -o '<img [^>]*src="[^"]*"' "$page" | sed 's/.*src="\([^"]*\)"/\1/'); do
        [ -f "$dir/help/$picture" ] && [ ! -L "$dir/help/$picture" ] \
            || { echo "$(basename "$page") shows $picture, which was not installed"; exit 1; }
        shown=$((shown + 1))
    done
done
[ "$shown" -gt 0 ] || { echo "no page of the installed help shows a picture"; exit 1; }
[ ! -e "$dir/hoardly-screenshot" ] || { echo "the screenshot tool was installed"; exit 1; }
for secret in Config.db kod.db; do
    [ "$(stat -c %a "$dir/$secret")" = 600 ] || { echo "$secret is readable by others"; exit 1; }
done
sqlite3 "$dir/film.DB" "INSERT INTO Film (Titel) VALUES ('Kept across installs')"
sqlite3 "$dir/Config.db" "UPDATE Config SET Backuppath = '/media/backup'"
rm "$dir/midi/vis2.txt"

cmake --install "$build" --prefix "$dir" > /dev/null
[ "$(sqlite3 "$dir/film.DB" 'SELECT Titel FROM Film')" = "Kept across installs" ] \
    || { echo "film.DB was replaced"; exit 1; }
[ "$(sqlite3 "$dir/Config.db" 'SELECT Backuppath FROM Config')" = "/media/backup" ] \
    || { echo "Config.db was replaced"; exit 1; }
[ -f "$dir/midi/vis2.txt" ] || { echo "a missing starter file was not copied"; exit 1; }
echo "install keeps the user's tables"
