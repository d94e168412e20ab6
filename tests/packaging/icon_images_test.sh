#!/usr/bin/env bash
# The icon theme's images as write-icons wrote them into DIRECTORY: every PNG at
# its size; at 16 and 32 pixels the window icon's own hand-set pixels, pinned by a hash
# of their RGBA bytes; at the larger sizes the same picture that librsvg, a renderer
# independent of ours, draws from the scalable SVG; and the larger sizes and the SVG
# readable on a dark panel as on a light one.
# Usage: tests/packaging/icon_images_test.sh DIRECTORY
set -euo pipefail
directory=$1
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"

rgba_hash() { convert "$1" -depth 8 rgba:- | sha256sum | cut -d' ' -f1; }

count_white() { convert "$@" -format '%[fx:int(mean*w*h+0.5)]' info:; }

# PNG laid on a dark panel (#202020) keeps a black tick with light pixels (above 80 %
# grey) along its edge, within 3 pixels of the black; laid on white it is a dark tick
# (below 25 % grey). Each is counted against the size, to be more than a stray pixel.
readable_on_dark_and_light() { # PNG SIZE WHAT
    local dark=$1.dark.png black light edge dark_on_white
    convert "$1" -background '#202020' -flatten -colorspace Gray "$dark"
    black=$(count_white "$dark" -threshold 6% -negate)
    light=$(count_white "$dark" -threshold 80%)
    edge=$(count_white "$dark" -threshold 80% \( "$dark" -threshold 6% -negate \
        -morphology Dilate Disk:3 \) -compose Multiply -composite)
    dark_on_white=$(count_white "$1" -background white -flatten -colorspace Gray \
        -threshold 25% -negate)
    rm -f "$dark"
    echo "$3 on #202020: $black black pixels, $edge light ones beside them ($light in all);" \
        "on white: $dark_on_white dark"
    [ "$black" -gt $(($2 * $2 / 20)) ] || fail_later "$3 on a dark panel has no black tick"
    [ "$edge" -ge $((2 * $2)) ] || fail_later "$3 on a dark panel has no light edge along the tick"
    [ "$dark_on_white" -gt $(($2 * $2 / 20)) ] || fail_later "$3 on white is no dark tick"
}

declare -A pixels=(
    [16]=56d5525ce5452121d9a4247e577ec43235b94659feb6740e38f17f453003aee0
    [32]=34955975677417f83ee0ef20c89a6ca54e173a608523dc9f13bdaa037c61f8ed
)
for size in 16 32 48 64 128 256; do
    png=$directory/${size}x$size.png
    [ "$(identify -format '%w %h' "$png")" = "$size $size" ] || fail_later "$png is not $size x $size"
    if [ -n "${pixels[$size]:-}" ]; then
        [ "$(rgba_hash "$png")" = "${pixels[$size]}" ] || fail_later "$png is not the window icon's image"
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
    [ "$opaque" -gt $((size * size / 20)) ] || fail_later "$png is nearly empty"
    [ "$differing" -le $((size * size / 200)) ] || fail_later "$png and the SVG differ in $differing pixels"
    readable_on_dark_and_light "$png" "$size" "${size}x$size.png"
done
for size in 48 256; do
    svg_png=$directory/scalable.$size.png
    rsvg-convert --width "$size" --height "$size" "$directory/scalable.svg" >"$svg_png"
    readable_on_dark_and_light "$svg_png" "$size" "scalable.svg at $size pixels"
    rm -f "$svg_png"
done
exit "$failed"
