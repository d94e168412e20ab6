#!/usr/bin/env bash
# The icon theme's images as write-icon-images wrote them into DIRECTORY: every PNG at
# its size; at 16 and 32 pixels the window icon's own hand-set pixels, pinned by a hash
# of their RGBA bytes; and at the larger sizes the same picture that librsvg, a renderer
# independent of ours, draws from the scalable SVG.
# Usage: tests/packaging/icon_images_test.sh DIRECTORY
set -euo pipefail
directory=$1
status=0

fail() {
    echo "FAIL: $*" >&2
    status=1
}

rgba_hash() { convert "$1" -depth 8 rgba:- | sha256sum | cut -d' ' -f1; }

declare -A pixels=(
    [16]=56d5525ce5452121d9a4247e577ec43235b94659feb6740e38f17f453003aee0
    [32]=34955975677417f83ee0ef20c89a6ca54e173a608523dc9f13bdaa037c61f8ed
)
for size in 16 32 48 64 128 256; do
    png=$directory/${size}x$size.png
    [ "$(identify -format '%w %h' "$png")" = "$size $size" ] || fail "$png is not $size x $size"
    if [ -n "${pixels[$size]:-}" ]; then
        [ "$(rgba_hash "$png")" = "${pixels[$size]}" ] || fail "$png is not the window icon's image"
        continue
    fi
    # Pixels whose opacity differs by more than a quarter, where the two renderers
    # disagree beyond smoothing an edge differently.
    rsvg-convert --width "$size" --height "$size" "$directory/scalable.svg" >"$png.svg.png"
    # compare prints the count on stderr and exits 1 when any pixel differs.
    differing=$(compare -channel alpha -metric AE -fuzz 25% "$png" "$png.svg.png" null: 2>&1 |
        awk '{print int($1)}' || true)
    rm -f "$png.svg.png"
    opaque=$(convert "$png" -alpha extract -threshold 50% -format '%[fx:int(mean*w*h+0.5)]' info:)
    echo "${size}x$size: $opaque opaque pixels, $differing differ from the SVG's"
    [ "$opaque" -gt $((size * size / 20)) ] || fail "$png is nearly empty"
    [ "$differing" -le $((size * size / 200)) ] || fail "$png and the SVG differ in $differing pixels"
done
exit "$status"
