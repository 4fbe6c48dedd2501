# Linux on arm64, cross-compiled with Debian's g++-aarch64-linux-gnu against
# the arm64 libraries that multiarch installs beside the host's
# (/usr/lib/aarch64-linux-gnu: Qt 6, QCustomPlot, GoogleTest's sources aside).
# The programs link dynamically, as on a real arm64 machine, and run under
# qemu-aarch64-static, which finds the arm64 loader and libraries in the host
# root. Qt's code generators (moc, uic, rcc) are the host's.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static -L /)
# Qt's translation tools run on the host too; Debian packages their CMake
# files only with the rest of its Qt development tools, so the host's are used.
set(Qt6LinguistTools_DIR /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake/Qt6LinguistTools)
# Libraries Qt finds through pkg-config (xkbcommon for the private GUI
# headers) must be the arm64 ones, not the host's.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)
