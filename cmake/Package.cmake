# `make package`: a Debian package that installs the tool under /usr, which
# lintian accepts (the package test runs it): a manual page, a machine-readable
# copyright file and a changelog come with it (app/doc). On Windows, `make
# windows-installer`: an NSIS installer.
set(CPACK_PACKAGE_NAME curveplot)
set(CPACK_PACKAGE_VENDOR "curveplot developers")
# The same address signs app/doc/changelog.
set(CURVEPLOT_MAINTAINER "curveplot developers <dev@curveplot.example>" CACHE STRING
    "The package's Maintainer: name <address>")
set(CPACK_PACKAGE_CONTACT "${CURVEPLOT_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The extended description, in lines as short as Debian wants them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Type four numbers and press OK: the tool derives the coefficients of two"
  "quartic curves, samples both at steps of 0.1 and plots the samples on a"
  "chart in the same window, with arithmetic that is exact to the bit on every"
  "platform. The chart zooms, pans and shows each point's label and value; its"
  "points can be copied or saved as a table, and the chart copied, saved as a"
  "PNG, SVG or PDF file, or printed.")
if(WIN32)
  include(cmake/WindowsInstaller.cmake)
  return()
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # curveplot_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Library dependencies come from dpkg-shlibdeps. Qt loads its window-system
# plugins at run time, which no linker sees: they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Qt's own dialogs speak the user's language with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-wqy-microhei, qt6-translations-l10n")
include(CPack)
