# Cross-compiling the Windows program on Debian with MinGW-w64 (64-bit, POSIX
# threads) against the static Qt that tools/windows.sh builds. That Qt's
# folder comes in PUTEVOD_QT_PREFIX, from the environment (the toolchain file
# is read again for every try_compile, where only the environment is kept).
#
#   PUTEVOD_QT_PREFIX=/var/cache/putevodka/windows/qt-… \
#     cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1)  # Windows 7
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

if(NOT DEFINED ENV{PUTEVOD_QT_PREFIX})
  message(FATAL_ERROR "PUTEVOD_QT_PREFIX must name the cross Qt's folder (sh tools/windows.sh makes it)")
endif()
set(PUTEVOD_QT_PREFIX $ENV{PUTEVOD_QT_PREFIX})

# Libraries, headers and CMake packages come from the MinGW-w64 tree and the
# cross Qt only, never from the host (whose Qt 6 would be found first);
# programs (moc, uic, rcc) are the host's, built with the cross Qt.
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${PUTEVOD_QT_PREFIX})
set(CMAKE_PREFIX_PATH ${PUTEVOD_QT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ run-times and the threads library linked in: putevod.exe
# needs no DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The tests run under Wine (tools/windows.sh --test).
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
