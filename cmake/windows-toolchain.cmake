# Cross-building Tarnwell for Windows x86-64 on Debian:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/windows-toolchain.cmake
# Qt for Windows (qtbase 6.4.2 built for MinGW-w64, see scripts/make-qt-windows)
# is looked for in TARNWELL_QT_WINDOWS; moc, rcc and uic are the host's Qt tools.
# Qt's own toolchain file is what makes its packages findable from inside the
# MinGW root, so this file hands over to it with ours as the compilers.
set(TARNWELL_QT_WINDOWS "/opt/qt-6.4.2-mingw-w64" CACHE PATH "Qt 6.4.2 built for MinGW-w64")
if(NOT EXISTS "${TARNWELL_QT_WINDOWS}/lib/cmake/Qt6/qt.toolchain.cmake")
  message(FATAL_ERROR "No Qt for Windows in ${TARNWELL_QT_WINDOWS}: unpack the shared build there "
                      "(tar -C /opt -xJf ../shared/toolchains/qt-6.4.2-mingw-w64.tar.xz) or make one "
                      "with scripts/make-qt-windows (about an hour on two cores).")
endif()
set(QT_CHAINLOAD_TOOLCHAIN_FILE "${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
set(QT_HOST_PATH "/usr" CACHE PATH "The host's Qt 6 (moc, rcc, uic)")
set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/x86_64-linux-gnu/cmake" CACHE PATH "The host Qt's CMake packages")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARNWELL_QT_WINDOWS)
include("${TARNWELL_QT_WINDOWS}/lib/cmake/Qt6/qt.toolchain.cmake")
