#!/bin/sh
# Installs what the build, the tests and `make run` need on Debian 12, and
# does nothing (needing no root) when all of it is already there. With the
# argument `pyqtgraph`, also what bench/pyqtgraph_bench.py needs (Debian's
# pyqtgraph and NumPy), for `make bench-pyqtgraph` only.
set -eu

packages="cmake make g++ clang-format googletest libgtest-dev
  qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-tools-dev qt6-tools-dev-tools libgl-dev
  qt6-l10n-tools qt6-translations-l10n
  libqcustomplot-dev libqcustomplot2.1-qt6 qt6-qpa-plugins
  fonts-wqy-microhei fonts-dejavu-core fonts-liberation locales
  xvfb xauth xdotool xclip x11-utils imagemagick openbox wmctrl
  qt6-svg-dev poppler-utils
  dbus-daemon at-spi2-core python3-pyatspi
  libhwy-dev
  dpkg-dev file desktop-file-utils appstream lintian man-db groff-base
  clang libfuzzer-14-dev
  g++-aarch64-linux-gnu qemu-user-static
  qt6-base-dev:arm64 qt6-base-private-dev:arm64 qt6-svg-dev:arm64 libqcustomplot-dev:arm64
  qt6-qpa-plugins:arm64 libhwy-dev:arm64
  g++-mingw-w64-x86-64-posix wine64 nsis ninja-build"
[ "${1:-}" = pyqtgraph ] && packages="$packages python3-pyqtgraph python3-numpy"

# The arm64 build links against Debian's arm64 Qt, QCustomPlot and Highway,
# installed beside the host's (multiarch).
dpkg --print-foreign-architectures | grep -qx arm64 || need_arm64=yes

# One query for all of them: the installed ones, named as in the list above.
host=$(dpkg --print-architecture)
# shellcheck disable=SC2086
installed=" $(dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' $packages 2>/dev/null |
  sed -n "s/^ii  *//p" | sed "s/:$host\$//" | tr '\n' ' ') "
missing=""
for p in $packages; do
  case "$installed" in *" $p "*) ;; *) missing="$missing $p" ;; esac
done
# The number-parsing tests also run under a locale whose decimal point is ','.
locale -a 2>/dev/null | grep -qx 'de_DE.utf8' || need_locale=yes

[ -z "$missing" ] && [ -z "${need_locale:-}" ] && [ -z "${need_arm64:-}" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Needs root to install:$missing ${need_locale:+(and the de_DE.UTF-8 locale)}" >&2
  exit 1
fi
[ -n "${need_arm64:-}" ] && dpkg --add-architecture arm64
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  # shellcheck disable=SC2086
  apt-get install -y --no-install-recommends $missing
fi
[ -n "${need_locale:-}" ] && localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
exit 0
