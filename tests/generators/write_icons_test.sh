#!/usr/bin/env bash
# write-icons as the build runs it. The Windows icon file dorvek.exe carries: its bytes,
# pinned by their hash; read back by ImageMagick, a reader independent of ours, as a
# 32 and a 16 pixel image whose RGBA bytes are the window icon's hand-set pixels (the
# hashes the icon theme's 32 and 16 pixel PNGs are held to). Its arguments: sizes from
# 1 to 1024, a mode it knows, a file it can write.
# Usage: tests/generators/write_icons_test.sh WRITE-ICONS
set -euo pipefail
write_icons=$1
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"
scratch=$(mktemp -d)
remove_on_exit "$scratch"

expect_status() { # STATUS DESCRIPTION ARGUMENT...
    local expected=$1 description=$2 actual=0
    shift 2
    "$write_icons" "$@" >/dev/null 2>"$scratch/stderr" || actual=$?
    [ "$actual" = "$expected" ] || fail_later "$description: status $actual, not $expected"
    if [ "$expected" != 0 ] && ! [ -s "$scratch/stderr" ]; then
        fail_later "$description: nothing said on stderr"
    fi
}

icon=$scratch/dorvek.ico
expect_status 0 "the Windows icon" windows "$icon"
[ "$(sha256sum <"$icon" | cut -d' ' -f1)" = \
    3141c0d8e1ad7361f6d0d851eeb7889cce2aad281ab48c9a98b1e24e7527549a ] ||
    fail_later "dorvek.ico is not the icon dorvek.exe has carried"
[ "$(identify -format '%w %h,' "$icon")" = "32 32,16 16," ] ||
    fail_later "dorvek.ico does not hold a 32 and a 16 pixel image, in that order"
rgba_hash() { convert "$1" -depth 8 rgba:- | sha256sum | cut -d' ' -f1; }
[ "$(rgba_hash "${icon}[0]")" = 34955975677417f83ee0ef20c89a6ca54e173a608523dc9f13bdaa037c61f8ed ] ||
    fail_later "dorvek.ico's 32 pixel image is not the window icon's"
[ "$(rgba_hash "${icon}[1]")" = 56d5525ce5452121d9a4247e577ec43235b94659feb6740e38f17f453003aee0 ] ||
    fail_later "dorvek.ico's 16 pixel image is not the window icon's"

expect_status 0 "sizes 1 and 1024" theme "$scratch" 1 1024
[ "$(identify -format '%w %h' "$scratch/1x1.png")" = "1 1" ] || fail_later "1x1.png is not 1 x 1"
[ "$(identify -format '%w %h' "$scratch/1024x1024.png")" = "1024 1024" ] ||
    fail_later "1024x1024.png is not 1024 x 1024"
[ -s "$scratch/scalable.svg" ] || fail_later "no scalable.svg beside the PNGs"
expect_status 2 "size 0" theme "$scratch" 0
expect_status 2 "size 1025" theme "$scratch" 1025
expect_status 2 "a size that is no number" theme "$scratch" 16px
expect_status 2 "no mode"
expect_status 2 "a mode it does not know" linux "$scratch"
expect_status 2 "windows without a file" windows
expect_status 1 "a file in a folder that is not there" windows "$scratch/none/dorvek.ico"
exit "$failed"
