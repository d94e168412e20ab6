#!/usr/bin/env bash
# fetch-debian-source.sh PACKAGE VERSION DIRECTORY [DSC-SHA256]
# Fetches and unpacks one version of a Debian source package into DIRECTORY. Without a
# checksum, from the mirror and suite this machine installs its binary packages from,
# without touching apt's configuration: the deb-src line, the package lists and the
# download cache are private to this one fetch and are deleted with it. With the
# SHA-256 of the package's .dsc, from the Debian archive's pool whatever this machine
# runs: the .dsc must have that checksum, and dpkg-source checks the files it lists
# against it. No root needed.
set -euo pipefail

[ $# -eq 3 ] || [ $# -eq 4 ] || {
    echo "usage: $0 PACKAGE VERSION DIRECTORY [DSC-SHA256]" >&2
    exit 2
}
package=$1 version=$2 destination=$3 dsc_sha256=${4:-}

# shellcheck source=../lib/common.sh
source "$(dirname "$0")/../lib/common.sh"
# shellcheck source=debian-pool.sh
source "$(dirname "$0")/debian-pool.sh"

command -v dpkg-source >/dev/null || stop "dpkg-source is missing (package dpkg-dev)"

work=$(mktemp -d)
remove_on_exit "$work"

# Unpacks the .dsc in $work into DIRECTORY, with dpkg-source's OPTIONS.
unpack() { # DSC [OPTION...]
    local dsc=$1
    shift
    rm -rf "$destination"
    dpkg-source "$@" -x "$work/$dsc" "$destination" >&2 || stop "could not unpack $dsc"
}

# The pinned .dsc and the files it lists, from the archive's pool; no --no-check when
# unpacking: the files must have the checksums the pinned .dsc lists.
if [ -n "$dsc_sha256" ]; then
    dsc=${package}_${version#*:}.dsc
    pool=$(download_from_pool "$package" "$dsc" "$work" "$dsc_sha256")
    echo "$script_name: $package $version from $pool" >&2
    mapfile -t files < <(awk '/^Checksums-Sha256:/ {on = 1; next} /^[^ ]/ {on = 0} on {print $3}' \
        "$work/$dsc")
    for file in "${files[@]}"; do
        curl -fsSL -o "$work/$file" "$pool/$file" || stop "could not download $pool/$file"
    done
    unpack "$dsc"
    exit 0
fi

# The mirror and suite that serve an installed binary package built from this source,
# as apt reports them: "http://deb.debian.org/debian bookworm/main amd64 Packages". The
# binary's own version can differ from its source's (a rebuild adds "+b1").
read -r binary binary_version < <(
    dpkg-query -W -f='${binary:Package} ${Version} ${source:Package} ${source:Version}\n' \
        2>/dev/null | awk -v p="$package" -v v="$version" \
        '$3 == p && $4 == v && !found {sub(/:.*/, "", $1); print $1, $2; found = 1}'
) || true
[ -n "${binary:-}" ] || stop "no package built from $package $version is installed here"
origin=$(apt-cache madison "$binary" 2>/dev/null |
    awk -F' [|] ' -v v="$binary_version" '$2 == v && $3 ~ / Packages$/ && !found {print $3; found = 1}')
[ -n "$origin" ] || stop "apt offers no $binary $binary_version here to find its source's mirror by"
read -r uri suite_component _ <<<"$origin"
suite=${suite_component%%/*}
component=${suite_component#*/}

mkdir -p "$work/sources.list.d" "$work/lists/partial" "$work/cache/archives/partial"
signed_by=""
if [ -f /usr/share/keyrings/debian-archive-keyring.gpg ]; then
    signed_by="[signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] "
fi
echo "deb-src ${signed_by}$uri $suite $component" >"$work/sources.list"

apt_options=(
    -o "Dir::Etc::SourceList=$work/sources.list"
    -o "Dir::Etc::SourceParts=$work/sources.list.d"
    -o "Dir::State::Lists=$work/lists"
    -o "Dir::Cache=$work/cache"
    -o "Debug::NoLocking=true"
)
# As root apt downloads as the _apt user, who may not write where we unpack.
if [ "$(id -u)" -eq 0 ]; then
    apt_options+=(-o APT::Sandbox::User=root)
fi

echo "$script_name: $package $version from $uri $suite $component" >&2
apt-get "${apt_options[@]}" -qq update || stop "could not read $uri's source lists"
(cd "$work" && apt-get "${apt_options[@]}" -qq --download-only source "$package=$version") ||
    stop "could not download $package $version's source from $uri"
# apt has checked the files against the release's signed lists.
unpack "${package}_${version#*:}.dsc" --no-check
