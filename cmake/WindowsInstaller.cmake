# The Windows installer, curveplot-<version>-win64.exe (CPack's NSIS
# generator, Debian's makensis): a licence page, a folder under Program
# Files, a Start-menu entry, the icon, and an uninstaller that Windows lists
# and that removes everything it installed. /S installs or uninstalls silently.
set(CPACK_GENERATOR NSIS)
# A 64-bit installer for a 64-bit program, with Unicode texts.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_PACKAGE_FILE_NAME curveplot-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY curveplot)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME curveplot)
set(CPACK_NSIS_DISPLAY_NAME "curveplot ${PROJECT_VERSION}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/app/doc/windows-licence.txt)
set(icon ${PROJECT_SOURCE_DIR}/app/desktop/org.curveplot.curveplot.ico)
set(CPACK_NSIS_MUI_ICON ${icon})
set(CPACK_NSIS_MUI_UNIICON ${icon})
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\curveplot.exe")
# The Start-menu entry: bin\curveplot.exe, named curveplot.
set(CPACK_PACKAGE_EXECUTABLES curveplot curveplot)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY bin)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
include(CPack)
