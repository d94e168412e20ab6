#!/usr/bin/env bash
# The manual pages as a user meets them, from a scratch installation of BUILD: man
# finds the English pages by default and the Turkish ones under -L tr; every page
# renders without a warning from groff, as lintian asks; and the Turkish dorvek-calc
# page's option list describes every option the English page names, and -h and
# --version.
# Usage: tests/packaging/manual_pages_test.sh BUILD
set -euo pipefail
build=$1
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"
prefix=$(mktemp -d)
remove_on_exit "$prefix"
export LC_ALL=C.UTF-8 MANWIDTH=80 MANPATH=$prefix/share/man

cmake --install "$build" --prefix "$prefix" >/dev/null

for page in dorvek dorvek-calc; do
    [ "$(man -w "$page")" = "$prefix/share/man/man1/$page.1" ] ||
        fail_later "man finds $(man -w "$page" 2>&1) for $page by default"
    [ "$(man -L tr -w "$page")" = "$prefix/share/man/tr/man1/$page.1" ] ||
        fail_later "man -L tr finds $(man -L tr -w "$page" 2>&1) for $page"
    man "$page" | grep -q '^NAME$' || fail_later "the English $page page has no NAME"
    man -L tr "$page" | grep -q '^AÇIKLAMA$' || fail_later "the Turkish $page page has no AÇIKLAMA"
done
for file in "$prefix"/share/man/man1/*.1 "$prefix"/share/man/tr/man1/*.1; do
    warnings=$(man --warnings -E UTF-8 -l "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail_later "${file#"$prefix"/}: $warnings"
done

# The options that a rendered page's synopsis and option list show, one a line. A
# heading is a line that begins at the margin.
options() { # PAGE SECTION...
    local page=$1
    shift
    man -l "$page" |
        awk -v wanted="$(printf '%s\n' "$@")" '
            BEGIN { split(wanted, names, "\n"); for (i in names) keep[names[i]] = 1 }
            /^[^ ]/ { inside = ($0 in keep); next }
            inside' |
        grep -oE '(^|[[ ])--?[a-z][a-z-]*' | tr -d '[ ' | sort -u
}
english=$(options "$prefix/share/man/man1/dorvek-calc.1" SYNOPSIS OPTIONS)
turkish=$(options "$prefix/share/man/tr/man1/dorvek-calc.1" SEÇENEKLER)
[ -n "$english" ] || fail_later "no options found in the English dorvek-calc page"
missing=$(comm -23 <(printf '%s\n' "$english" -h --help --version | sort -u) <(echo "$turkish"))
[ -z "$missing" ] || fail_later "the Turkish dorvek-calc page leaves out: $(echo "$missing" | tr '\n' ' ')"
exit "$failed"
