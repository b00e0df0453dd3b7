# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installing the program and building its Debian package with CPack:
#   cmake --build <build> --target package   (or: cd <build> && cpack -G DEB)
# The package's maintainer scripts create the settings folder
# (ZELORA_HIVE_DIR) for group lp and delete it on purge only.
if(NOT ZELORA_BUILD_GUI OR WIN32)
  return()
endif()

include(GNUInstallDirs)

# The purge script deletes this folder recursively: refuse anything that is not
# a folder of its own.
cmake_path(NORMAL_PATH ZELORA_HIVE_DIR OUTPUT_VARIABLE hive_dir)
cmake_path(GET hive_dir PARENT_PATH hive_parent)
if(NOT IS_ABSOLUTE "${hive_dir}" OR hive_parent STREQUAL "/" OR hive_dir MATCHES "/$")
  message(FATAL_ERROR "ZELORA_HIVE_DIR must be an absolute folder below a top-level one, "
                      "not '${ZELORA_HIVE_DIR}'")
endif()

set(ZELORA_MAINTAINER_SCRIPT_DIR ${CMAKE_BINARY_DIR}/packaging)
foreach(script IN ITEMS postinst postrm)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${script}.in
                 ${ZELORA_MAINTAINER_SCRIPT_DIR}/${script} @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                                  GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelora)
set(CPACK_PACKAGE_VENDOR "Zelora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Set the power-on defaults of a PCL5e laser printer on the parallel port")
set(CPACK_PACKAGE_DESCRIPTION
    "Zelora edits the power-on defaults of a PCL5e laser printer on a tabbed\n"
    "window and sends the changed ones to the printer port as PJL jobs. It also\n"
    "prints the configuration page and a demonstration page, ejects a page and\n"
    "restores the factory settings.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)

# CPack stages through DESTDIR with this as the install prefix, so the desktop
# entry's Path= names the package's data folder.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zelora developers <zelora@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${ZELORA_MAINTAINER_SCRIPT_DIR}/postinst ${ZELORA_MAINTAINER_SCRIPT_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
