# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Read by cpack for each generator: the installer's name says what it is, beside
# the archive of the same files.
if(CPACK_GENERATOR MATCHES "^NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
