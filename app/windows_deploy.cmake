# What the Windows program needs beside it, put there by the install step
# (cmake --install, and so the installer), with no Qt deployment tool: the
# DLLs it links, Qt's (from Qt's own targets) and the compiler's runtime
# (found where the build found it); the window-system plugin and the native
# style, which Qt loads at run time; Qt's own translations for the languages
# the tool speaks; a qt.conf saying where those are; and the licences of what
# the program carries.
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
              $<TARGET_FILE:Qt6::PrintSupport>
        DESTINATION ${CMAKE_INSTALL_BINDIR})
# CMake matches DLL names lowercased, as Windows does, so it finds only the
# runtime's (lowercase) files on this case-sensitive disk; Qt's come above.
install(CODE "
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND x86_64-w64-mingw32-objdump)
  file(GET_RUNTIME_DEPENDENCIES
       EXECUTABLES \"$<TARGET_FILE:curveplot>\"
       MODULES \"$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>\"
               \"$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>\"
       RESOLVED_DEPENDENCIES_VAR dlls UNRESOLVED_DEPENDENCIES_VAR missing
       PRE_INCLUDE_REGEXES [[^libstdc\\+\\+]] [[^libgcc_s]] [[^libwinpthread]]
       PRE_EXCLUDE_REGEXES [[.]]
       DIRECTORIES ${CURVEPLOT_WINDOWS_DLL_DIRS})
  if(missing)
    message(FATAL_ERROR \"DLLs not found for the Windows program: \${missing}\")
  endif()
  file(INSTALL \${dlls} DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")")
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
        DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
        DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)

# Qt's translations are the same files on every platform: the host's.
foreach(language zh_CN zh_TW)
  find_file(qtbase_${language} qtbase_${language}.qm PATHS /usr/share/qt6/translations
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  install(FILES ${qtbase_${language}} DESTINATION ${CMAKE_INSTALL_DATADIR}/qt6/translations)
endforeach()
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/qt.conf
  "[Paths]\nPrefix = ..\nPlugins = ${CMAKE_INSTALL_BINDIR}\n"
  "Translations = ${CMAKE_INSTALL_DATADIR}/qt6/translations\n")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qt.conf DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES doc/windows-licence.txt /usr/share/common-licenses/GPL-3
              /usr/share/common-licenses/LGPL-3
        DESTINATION licences)
