#!/usr/bin/env bash
# shellcheck disable=SC2016 # the cases are code for the bash that runs them, quoted for it
# scripts/lib/common.sh as the scripts meet it: each case sources it into a fresh bash
# that takes the name of a script, and checks the status and the whole standard error
# or output of what it ran.
# Usage: tests/scripts/common_library_test.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
library=$here/../../scripts/lib/common.sh
# shellcheck source=../../scripts/lib/common.sh
source "$library"
scratch=$(mktemp -d)
remove_on_exit "$scratch"

# Runs CODE in a bash that sourced the library as /somewhere/NAME.sh would, with the
# environment given; prints its status, then its standard error, then its output.
run_as() { # NAME CODE [ENVIRONMENT...]
    local name=$1 code=$2
    shift 2
    local status=0
    env "$@" bash -c 'set -euo pipefail; source "$1"; eval "$2"' "/somewhere/$name.sh" \
        "$library" "$code" >"$scratch/out" 2>"$scratch/err" || status=$?
    echo "$status"
    cat "$scratch/err" "$scratch/out"
}

expect() { # WHAT EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        fail_later "$1: expected $(printf '%q' "$2"), got $(printf '%q' "$3")"
    fi
}

expect "stop: status 1, the message after the script's name" \
    $'1\nbuild-thing: no disk here' "$(run_as build-thing 'stop no disk "here"; echo after')"
expect "stop_with_usage: status 2, the script as it was called" \
    $'2\nusage: /somewhere/build-thing.sh [--tests]' \
    "$(run_as build-thing 'stop_with_usage "[--tests]"; echo after')"
expect "fail: status 1 at the first failed check" \
    $'1\nFAIL: one' "$(run_as a-test 'fail one; fail two')"
expect "fail: with the test's circumstances" \
    $'1\nFAIL (under openbox): one' \
    "$(run_as a-test 'fail_prefix="FAIL (under openbox)"; fail one')"
expect "fail_later: every failed check reported, then status 1" \
    $'1\nFAIL: one\nFAIL: two\nwent on' \
    "$(run_as a-test 'fail_later one; fail_later two; echo went on; exit "$failed"')"
expect "fail_later: status 0 when no check failed" \
    $'0\nwent on' "$(run_as a-test 'echo went on; exit "$failed"')"

# as_root: root runs the command itself; anyone else through sudo, or not at all.
mkdir "$scratch/bin"
printf '#!/bin/sh\necho "sudo: $*"\n' >"$scratch/bin/sudo"
chmod +x "$scratch/bin/sudo"
expect "as_root as root: the command itself" \
    $'0\nran: a b' "$(run_as setup 'id() { echo 0; }; as_root echo ran: a b')"
expect "as_root as a user: through sudo" \
    $'0\nsudo: echo a b' \
    "$(run_as setup 'id() { echo 1000; }; as_root echo a b' PATH="$scratch/bin:$PATH")"
expect "as_root as a user without sudo: stops, running nothing" \
    $'1\nsetup: not root and no sudo to run touch as root: run this script as root' \
    "$(run_as setup "id() { echo 1000; }; PATH=/nonexistent; as_root touch $scratch/touched")"
[ ! -e "$scratch/touched" ] || fail_later "as_root without sudo ran the command"

# remove_on_exit: every path given, however the script ends.
for ending in 'exit 0' false 'stop failed' 'kill -s INT $$'; do
    mkdir -p "$scratch/first" "$scratch/second"
    touch "$scratch/third"
    run_as cleaner "remove_on_exit '$scratch/first'; remove_on_exit '$scratch/second' \
        '$scratch/third'; $ending" >/dev/null
    for path in first second third; do
        [ ! -e "$scratch/$path" ] || fail_later "remove_on_exit left $path after '$ending'"
    done
done
exit "$failed"
