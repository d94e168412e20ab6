# shellcheck shell=bash
# Downloads from the Debian archive's pool, whatever release this machine runs; sourced
# after scripts/lib/common.sh. Plain HTTP as apt's own sources: the pinned checksums,
# not the connection, vouch for the files. A release's packages leave deb.debian.org
# for archive.debian.org some years after it; DEBIAN_ARCHIVES names others.

# The pool folder of SOURCE-PACKAGE's files: its first letter, or "libx" for "libx…".
pool_folder() { # SOURCE-PACKAGE
    if [[ "$1" == lib?* ]]; then
        echo "pool/main/${1:0:4}/$1"
    else
        echo "pool/main/${1:0:1}/$1"
    fi
}

# Downloads FILE of SOURCE-PACKAGE's pool folder into FOLDER from the first archive that
# has it, checks that it has SHA256 (when given) and prints the pool it came from.
download_from_pool() { # SOURCE-PACKAGE FILE FOLDER [SHA256]
    local source_package=$1 file=$2 folder=$3 sha256=${4:-} archive pool
    command -v curl >/dev/null || stop "curl is missing (package curl)"
    for archive in ${DEBIAN_ARCHIVES:-http://deb.debian.org/debian http://archive.debian.org/debian}; do
        pool=$archive/$(pool_folder "$source_package")
        curl -fsSL -o "$folder/$file" "$pool/$file" || continue
        if [ -n "$sha256" ] && ! echo "$sha256  $folder/$file" | sha256sum --check --status; then
            stop "$pool/$file is not the pinned one (SHA-256 $sha256)"
        fi
        echo "$pool"
        return 0
    done
    stop "no archive has $file; set DEBIAN_ARCHIVES to one that does"
}
