# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 64-bit Windows with MinGW-w64 (posix threads), statically
# linked so the executables run under Wine without extra DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Never the build machine's own packages (its Qt, its GoogleTest).
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(ZELORA_WINE wine)
if(ZELORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZELORA_WINE})
endif()
