# 64-bit Windows, cross-compiled with Debian's mingw-w64 (the POSIX threads
# flavour, which std::thread needs), against Qt for Windows built by
# tools/windows-qt.sh (CURVEPLOT_WINDOWS_QT). Programs take the compiler's
# runtime (libstdc++, libgcc, winpthread) as DLLs, as Qt's DLLs do, so that
# one C++ runtime serves the process; the install step puts those DLLs beside
# the program. Here the programs run under wine (wine-run.sh), with a Windows
# prefix of their own in the build folder, finding the DLLs on wine's path.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${CURVEPLOT_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Where the runtime DLLs are: the compiler's own folder holds libstdc++ and
# libgcc, mingw-w64's library folder winpthread.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(compiler_runtime ${libstdcxx} DIRECTORY)
set(CURVEPLOT_WINDOWS_DLL_DIRS ${compiler_runtime} /usr/x86_64-w64-mingw32/lib)
if(CURVEPLOT_WINDOWS_QT)
  list(APPEND CURVEPLOT_WINDOWS_DLL_DIRS ${CURVEPLOT_WINDOWS_QT}/bin)
endif()
string(JOIN ":" CURVEPLOT_WINDOWS_DLL_PATH ${CURVEPLOT_WINDOWS_DLL_DIRS})
set(CURVEPLOT_WINE_RUN sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CURVEPLOT_WINE_RUN} ${CMAKE_BINARY_DIR}/wineprefix
    ${CURVEPLOT_WINDOWS_DLL_PATH})
