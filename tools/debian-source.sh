#!/bin/sh
# Fetches a Debian source package and unpacks it with Debian's own patches
# applied:  debian-source.sh PACKAGE VERSION FOLDER
# prints the unpacked source folder. apt is given a bookworm deb-src entry
# and lists folder of its own for these commands alone, so the machine's apt
# configuration stays as it was.
set -eu
package=$1 version=$2 dest=$3
apt_dir=$(mktemp -d)
trap 'rm -rf "$apt_dir"' EXIT
mkdir -p "$apt_dir/sources" "$apt_dir/lists/partial" "$dest"
echo "deb-src http://deb.debian.org/debian bookworm main" >"$apt_dir/sources/bookworm-src.list"
apt_options="-q -o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts=$apt_dir/sources
  -o Dir::State::Lists=$apt_dir/lists -o APT::Sandbox::User=root"
# shellcheck disable=SC2086
apt-get $apt_options update >&2
cd "$dest"
# shellcheck disable=SC2086
apt-get $apt_options source --download-only "$package=$version" >&2
dpkg-source --no-check -x "${package}_${version#*:}.dsc" >&2
# The folder dpkg-source made: PACKAGE-UPSTREAMVERSION.
upstream=${version#*:}
echo "$dest/$package-${upstream%-*}"
