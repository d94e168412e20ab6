#!/usr/bin/env bash
# fetch-debian-source.sh PACKAGE VERSION DIRECTORY
# Fetches and unpacks one version of a Debian source package into DIRECTORY, from the
# mirror and suite this machine installs its binary packages from, without touching
# apt's configuration: the deb-src line, the package lists and the download cache are
# private to this one fetch and are deleted with it. No root needed.
set -euo pipefail

[ $# -eq 3 ] || { echo "usage: $0 PACKAGE VERSION DIRECTORY" >&2; exit 2; }
package=$1 version=$2 destination=$3

# shellcheck source=../lib/common.sh
source "$(dirname "$0")/../lib/common.sh"

command -v dpkg-source >/dev/null || stop "dpkg-source is missing (package dpkg-dev)"

# The mirror and suite that serve an installed binary package built from this source,
# as apt reports them: "http://deb.debian.org/debian bookworm/main amd64 Packages".
binary=$(dpkg-query -W -f='${binary:Package} ${source:Package} ${source:Version}\n' 2>/dev/null |
    awk -v p="$package" -v v="$version" '$2 == p && $3 == v && !found {sub(/:.*/, "", $1); print $1; found = 1}')
[ -n "$binary" ] || stop "no package built from $package $version is installed here"
origin=$(apt-cache madison "$binary" 2>/dev/null |
    awk -F' [|] ' -v v="$version" '$2 == v && $3 ~ / Packages$/ && !found {print $3; found = 1}')
[ -n "$origin" ] || stop "apt offers no $binary $version here to find its source's mirror by"
read -r uri suite_component _ <<<"$origin"
suite=${suite_component%%/*}
component=${suite_component#*/}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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

echo "fetch-debian-source: $package $version from $uri $suite $component" >&2
apt-get "${apt_options[@]}" -qq update || stop "could not read $uri's source lists"
mkdir -p "$work/download"
(cd "$work/download" && apt-get "${apt_options[@]}" -qq --download-only source "$package=$version") ||
    stop "could not download $package $version's source from $uri"
rm -rf "$destination"
dpkg-source --no-check -x "$work/download/${package}_${version#*:}.dsc" "$destination" >&2 ||
    stop "could not unpack $package $version's source"
