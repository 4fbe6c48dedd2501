#!/bin/sh
# Fetches QCustomPlot's source once per machine, as Debian ships it (the
# host's version, Debian's patches applied: its header then builds with moc),
# into the cache beside Qt for Windows, and prints the folder. The Windows
# build compiles it with the program (CMake option QCUSTOMPLOT_SOURCE).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
version=$(dpkg-query -W -f='${source:Version}\n' libqcustomplot-dev | head -n1)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/curveplot
folder=$cache/qcustomplot-$version
if [ ! -f "$folder/.complete" ]; then
  mkdir -p "$cache"
  exec 9>"$folder.lock"
  flock 9
  if [ ! -f "$folder/.complete" ]; then
    rm -rf "$folder"
    source=$("$here/debian-source.sh" qcustomplot "$version" "$folder")
    echo "$source" >"$folder/.complete"
  fi
fi
cat "$folder/.complete"
