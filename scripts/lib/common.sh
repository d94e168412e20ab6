# shellcheck shell=bash
# What the project's scripts share; sourced, not run, after `set -euo pipefail`:
#
#   # shellcheck source=lib/common.sh
#   source "$(dirname "$0")/lib/common.sh"
#
# Messages name the script that prints them, by its file name without ".sh".

script_name=$(basename "$0" .sh)

# Ends the script with status 1, MESSAGE on standard error after the script's name.
stop() { # MESSAGE...
    echo "$script_name: $*" >&2
    exit 1
}

# Ends the script with status 2: how it is called, on standard error.
stop_with_usage() { # SYNOPSIS
    echo "usage: $0 $*" >&2
    exit 2
}

# What a failed check's message begins with; a test may add its circumstances.
fail_prefix=FAIL

# Ends a test with status 1 at the first check that fails.
fail() { # MESSAGE...
    echo "$fail_prefix: $*" >&2
    exit 1
}

# Reports a failed check and lets the test go on to the next; the test ends with
# `exit "$failed"`, 1 once any check has failed.
failed=0
# shellcheck disable=SC2034 # the sourcing test reads it
fail_later() { # MESSAGE...
    echo "$fail_prefix: $*" >&2
    failed=1
}

# Runs COMMAND as root: directly when the script runs as root, through sudo otherwise.
as_root() { # COMMAND [ARGUMENT...]
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        stop "not root and no sudo to run $1 as root: run this script as root"
    fi
}

# Removes PATH, and every path given before, when the script ends, however it ends.
# The script's one EXIT trap: a script that must do more on exit sets its own instead.
removed_on_exit=()
remove_on_exit() { # PATH...
    removed_on_exit+=("$@")
    trap 'rm -rf "${removed_on_exit[@]}"' EXIT
}
