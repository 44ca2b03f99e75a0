# Cross build for 64-bit Windows with Debian's mingw-w64 (the posix thread model: Qt needs
# std::thread) against a static Qt, libjpeg, libpng and zlib prefix. The prefix is
# TARVOSK_MINGW_PREFIX (a cache value or the environment); tools/build-windows.sh unpacks the
# shared one and passes it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT TARVOSK_MINGW_PREFIX AND DEFINED ENV{TARVOSK_MINGW_PREFIX})
  set(TARVOSK_MINGW_PREFIX "$ENV{TARVOSK_MINGW_PREFIX}")
endif()
if(NOT TARVOSK_MINGW_PREFIX)
  message(FATAL_ERROR "Set TARVOSK_MINGW_PREFIX to the mingw-w64 Qt prefix (tools/build-windows.sh does)")
endif()
set(TARVOSK_MINGW_PREFIX "${TARVOSK_MINGW_PREFIX}" CACHE PATH "The mingw-w64 prefix with Qt and the image libraries")
# try_compile projects see the toolchain again: hand the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TARVOSK_MINGW_PREFIX)

set(CMAKE_FIND_ROOT_PATH "${TARVOSK_MINGW_PREFIX}" /usr/x86_64-w64-mingw32)
set(CMAKE_PREFIX_PATH "${TARVOSK_MINGW_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt 6 cross builds run the host's moc, rcc and uic of the same version (Debian's 6.4.2).
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")

# Tests built for Windows run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh")
