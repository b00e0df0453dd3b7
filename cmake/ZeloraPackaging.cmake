# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installing the program and building its Debian package with CPack:
#   cmake --build <build> --target package   (or: cd <build> && cpack -G DEB)
# The package's maintainer scripts create the settings folder
# (ZELORA_HIVE_DIR) for group lp and delete it on purge only. Its version is
# the project's with the packaging revision below; its changelog, copyright
# file and manual page are written from packaging/*.in.
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

set(ZELORA_PACKAGING_BUILD_DIR ${CMAKE_BINARY_DIR}/packaging)
foreach(script IN ITEMS postinst postrm)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${script}.in
                 ${ZELORA_PACKAGING_BUILD_DIR}/${script} @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
                                  GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()

# The packaging revision: raise it for a package of the same program version,
# with a changelog entry of its own.
set(ZELORA_DEB_REVISION 1)
set(ZELORA_DEB_VERSION ${PROJECT_VERSION}-${ZELORA_DEB_REVISION})
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in
               ${ZELORA_PACKAGING_BUILD_DIR}/changelog.Debian @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in
               ${ZELORA_PACKAGING_BUILD_DIR}/copyright @ONLY)
foreach(page IN ITEMS zelora.1 zelora-port.1 zeloractl.1)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${page}.in ${ZELORA_PACKAGING_BUILD_DIR}/${page}
                 @ONLY)
endforeach()

# Debian wants both compressed at the highest level and without a name or time
# stamp, so that the same sources give the same package.
find_program(ZELORA_GZIP gzip REQUIRED)
set(compressed)
foreach(file IN ITEMS changelog.Debian zelora.1 zelora-port.1 zeloractl.1)
  set(staged ${ZELORA_PACKAGING_BUILD_DIR}/compressed/${file})
  add_custom_command(
    OUTPUT ${staged}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${ZELORA_PACKAGING_BUILD_DIR}/${file} ${staged}
    COMMAND ${ZELORA_GZIP} -9nf ${staged}
    DEPENDS ${ZELORA_PACKAGING_BUILD_DIR}/${file}
    COMMENT "Compressing ${file}"
    VERBATIM)
  list(APPEND compressed ${staged}.gz)
endforeach()
add_custom_target(zelora_packaging_docs ALL DEPENDS ${compressed})

install(FILES ${ZELORA_PACKAGING_BUILD_DIR}/compressed/zelora.1.gz
              ${ZELORA_PACKAGING_BUILD_DIR}/compressed/zelora-port.1.gz
              ${ZELORA_PACKAGING_BUILD_DIR}/compressed/zeloractl.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Where bash-completion finds it on demand.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/zeloractl.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions RENAME zeloractl)
# Only the package carries the Debian changelog and copyright file, and its
# stripped program also loses the compilers' version notes, as Debian's do.
find_program(ZELORA_OBJCOPY NAMES ${CMAKE_OBJCOPY} objcopy REQUIRED)
foreach(program IN ITEMS zelora zelora-port zeloractl)
  install(CODE "
    execute_process(COMMAND \"${ZELORA_OBJCOPY}\" --remove-section=.comment
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
                    COMMAND_ERROR_IS_FATAL ANY)"
    COMPONENT debian EXCLUDE_FROM_ALL)
endforeach()
install(FILES ${ZELORA_PACKAGING_BUILD_DIR}/compressed/changelog.Debian.gz
              ${ZELORA_PACKAGING_BUILD_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/zelora
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME zelora
        COMPONENT debian EXCLUDE_FROM_ALL)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelora)
set(CPACK_PACKAGE_VENDOR "Zelora developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZELORA_DEB_REVISION})
set(CPACK_INSTALL_CMAKE_PROJECTS
    ${CMAKE_BINARY_DIR} ${PROJECT_NAME} ALL /
    ${CMAKE_BINARY_DIR} ${PROJECT_NAME} debian /)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Set the power-on defaults of a PCL5e laser printer on the parallel port")
set(CPACK_PACKAGE_DESCRIPTION
    "Zelora edits the power-on defaults of a PCL5e laser printer on a tabbed\n"
    "window and sends the changed ones to the printer port as PJL jobs. It also\n"
    "prints the configuration page and a demonstration page, ejects a page and\n"
    "restores the factory settings. zeloractl does the same from a command\n"
    "line, for scripts and many printers, and reads back what a network\n"
    "printer holds.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)

# CPack stages through DESTDIR with this as the install prefix, so the desktop
# entry's Path= names the package's data folder.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZELORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own texts (OK and Cancel, the edit fields' menu) in the Russian face.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${ZELORA_PACKAGING_BUILD_DIR}/postinst ${ZELORA_PACKAGING_BUILD_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
