#!/usr/bin/env bash
# make-locales.sh FOLDER
# Compiles the Turkish and English UTF-8 locales into FOLDER, beside a copy of C.UTF-8,
# for programs run with LOCPATH=FOLDER: wine names files in the Unix locale's character
# set, so "Dorvek Olasılıklar" needs a UTF-8 locale that exists, and this machine may
# have generated none. The machine's own locales are not touched.
set -euo pipefail
folder=$1
mkdir -p "$folder"
for locale in tr_TR en_US; do
    [ -d "$folder/$locale.UTF-8" ] || localedef -i "$locale" -f UTF-8 "$folder/$locale.UTF-8"
done
for c in /usr/lib/locale/C.utf8 /usr/lib/locale/C.UTF-8; do
    if [ -d "$c" ] && [ ! -e "$folder/C.utf8" ]; then
        cp -r "$c" "$folder/C.utf8"
    fi
done
