# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The MinGW-w64 cross build with Qt for Windows, for the whole program: Qt as
# tools/windows_qt.sh builds and installs it, named by ZELORA_WINDOWS_QT_PREFIX
# (a cache variable, or the environment variable of that name).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

if(NOT ZELORA_WINDOWS_QT_PREFIX AND DEFINED ENV{ZELORA_WINDOWS_QT_PREFIX})
  set(ZELORA_WINDOWS_QT_PREFIX "$ENV{ZELORA_WINDOWS_QT_PREFIX}")
endif()
if(NOT ZELORA_WINDOWS_QT_PREFIX)
  message(FATAL_ERROR "Set ZELORA_WINDOWS_QT_PREFIX to Qt for Windows (the last line of tools/windows_qt.sh)")
endif()
set(ZELORA_WINDOWS_QT_PREFIX "${ZELORA_WINDOWS_QT_PREFIX}" CACHE PATH "Qt built for Windows by tools/windows_qt.sh")
# Packages are looked for under the find roots only (mingw-w64.cmake), and
# this Qt is outside the MinGW-w64 one.
list(APPEND CMAKE_FIND_ROOT_PATH "${ZELORA_WINDOWS_QT_PREFIX}")
list(APPEND CMAKE_PREFIX_PATH "${ZELORA_WINDOWS_QT_PREFIX}")
# The compiler checks read this file again, in projects of their own.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZELORA_WINDOWS_QT_PREFIX)

# moc, rcc, uic and lrelease are the build machine's, of the same version.
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")

if(ZELORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
endif()
