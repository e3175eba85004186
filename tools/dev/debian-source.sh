#!/usr/bin/env bash
# Unpacks Debian's source package of the very version of a library that the Linux build links,
# for a cross build of it (MinGW-w64, Emscripten). apt fetches it through a private list of
# source archives, under WORKDIR/apt, and checks it against the archive's signed indexes.
#   tools/dev/debian-source.sh PACKAGE WORKDIR
# PACKAGE is the installed package whose source is wanted (libjpeg62-turbo-dev gives
# libjpeg-turbo). Prints the unpacked folder; fetches nothing when it is there already.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PACKAGE WORKDIR" >&2; exit 2; }
mkdir -p "$2"
work=$(cd "$2" && pwd)

read -r source_package version upstream < <(
  dpkg-query -W -f='${source:Package} ${source:Version} ${source:Upstream-Version}\n' "$1")
folder=$work/source/$source_package-$upstream
stamp=$folder/.debian-version
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ]; then
  echo "$folder"
  exit 0
fi

apt=$work/apt
mkdir -p "$apt/lists/partial" "$apt/parts" "$work/source"
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
{
  echo "deb-src http://deb.debian.org/debian $codename main"
  echo "deb-src http://deb.debian.org/debian $codename-updates main"
  echo "deb-src http://deb.debian.org/debian-security $codename-security main"
} >"$apt/sources.list"
options=(-o "Dir::Etc::sourcelist=$apt/sources.list" -o "Dir::Etc::sourceparts=$apt/parts"
         -o "Dir::State::lists=$apt/lists" -o APT::Get::List-Cleanup=0 -o APT::Sandbox::User=root)
apt-get "${options[@]}" -qq update >&2
rm -rf "$work/source/$source_package"[-_]*
(cd "$work/source" && apt-get "${options[@]}" -qq source "$source_package=$version" >&2)
[ -d "$folder" ] || { echo "$0: apt-get source did not unpack $folder" >&2; exit 1; }
echo "$version" >"$stamp"
echo "$folder"
