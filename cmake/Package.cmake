# `make package`: a Debian package that installs the tool under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME curveplot)
set(CPACK_PACKAGE_VENDOR "curveplot developers")
set(CPACK_PACKAGE_CONTACT "curveplot developers <dev@curveplot.local>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # curveplot_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Library dependencies come from dpkg-shlibdeps. Qt loads its window-system
# plugins at run time, which no linker sees: they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-wqy-microhei")
include(CPack)
