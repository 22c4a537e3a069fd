#!/bin/sh
# Makes the Unix locales whose code pages and languages Wine gives its
# programs, in a private folder (LOCPATH) of the build, so tests can run a
# launcher on a Japanese (932) or a UTF-8 (65001) system, for a French or a
# German user (LANG names the language, LC_CTYPE the code page).  Wine
# silently falls back to 1252 for a locale the machine lacks, so a locale
# that cannot be made is an error here, not a skipped test.
#
#   tools/make-locales.sh BUILD_DIR
set -eu

dir="$(cd "$1" && pwd)/locales"
mkdir -p "$dir"
for locale in ja_JP hi_IN de_DE fr_FR; do
    [ -d "$dir/$locale.UTF-8" ] && continue
    localedef -i "$locale" -f UTF-8 "$dir/$locale.UTF-8.new" 2>/dev/null || [ -d "$dir/$locale.UTF-8.new" ]
    mv "$dir/$locale.UTF-8.new" "$dir/$locale.UTF-8"
done
