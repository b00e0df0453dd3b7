# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program as a user gets it: one folder with the programs, the Qt
# DLLs and plugins the window loads, MinGW's runtime DLLs, Qt's own texts for
# the Russian face, the help, the demonstration page and the licence; packed
# by CPack as a ZIP archive and as an installer into Program Files:
#   cmake --build <build> && cd <build> && cpack -G ZIP && cpack -G NSIS64
# tools/windows_package.sh does all of it; tools/windows_e2e.sh installs the
# installer under Wine and uses the installed program.
if(NOT WIN32 OR NOT TARGET zelora)
  return()
endif()

set(windows_packaging ${PROJECT_SOURCE_DIR}/packaging/windows)
set(windows_build ${CMAKE_BINARY_DIR}/packaging/windows)
# Not the maker's name under which the settings key lies: the uninstaller
# deletes Software\<vendor>\<install registry key>.
set(ZELORA_VENDOR "Zelora developers")
set(main_icon ${ZELORA_PICTURE_BUILD_DIR}/mainicon.ico)

# --- Version and icon in the programs -----------------------------------------
enable_language(RC)
set(ZELORA_RC_VERSION ${PROJECT_VERSION_MAJOR})
foreach(part IN ITEMS MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    string(APPEND ZELORA_RC_VERSION ",0")
  else()
    string(APPEND ZELORA_RC_VERSION ",${PROJECT_VERSION_${part}}")
  endif()
endforeach()
string(SUBSTRING ${ZELORA_RELEASE_DATE} 0 4 ZELORA_RC_YEAR)
set(ZELORA_RC_COMPANY ${ZELORA_VENDOR})
# Compiles the version, and the icon when one is given, into the program.
function(zelora_version_resource program description icon)
  set(ZELORA_RC_NAME ${program})
  set(ZELORA_RC_DESCRIPTION ${description})
  set(ZELORA_RC_ICON "")
  set(rc ${windows_build}/${program}.rc)
  if(icon)
    # The first icon is the one the desktop shows for the file.
    set(ZELORA_RC_ICON "1 ICON \"${icon}\"")
    set_source_files_properties(${rc} TARGET_DIRECTORY ${program} PROPERTIES OBJECT_DEPENDS ${icon})
    add_dependencies(${program} zelora_data)
  endif()
  configure_file(${windows_packaging}/version.rc.in ${rc} @ONLY)
  target_sources(${program} PRIVATE ${rc})
endfunction()
zelora_version_resource(zelora "Zelora, the printer's power-on defaults" ${main_icon})
if(TARGET zelora-port)
  zelora_version_resource(zelora-port "Zelora's printer port" "")
endif()
if(TARGET zeloractl)
  zelora_version_resource(zeloractl "Zelora from a command line" "")
endif()

# --- What the window loads ----------------------------------------------------
# zelora.exe links MinGW's runtime statically, Qt's DLLs link it as DLLs.
set(runtime_dlls)
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}")
    # A MinGW on Windows keeps them beside the compiler instead.
    cmake_path(GET CMAKE_CXX_COMPILER PARENT_PATH compiler_dir)
    set(path ${compiler_dir}/${dll})
  endif()
  cmake_path(NORMAL_PATH path)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${dll}, which Qt's DLLs load, is not where ${CMAKE_CXX_COMPILER} has it")
  endif()
  list(APPEND runtime_dlls ${path})
endforeach()

# Installs each Qt target's DLL, or each DLL file, into a folder below the
# program's, and notes it for stripping.
set(shipped_dlls)
function(zelora_ship folder)
  foreach(item IN LISTS ARGN)
    if(TARGET ${item})
      set(file $<TARGET_FILE:${item}>)
      set(name $<TARGET_FILE_NAME:${item}>)
    else()
      set(file ${item})
      cmake_path(GET item FILENAME name)
    endif()
    install(FILES ${file} DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
    list(APPEND shipped_dlls ${folder}/${name})
  endforeach()
  set(shipped_dlls ${shipped_dlls} PARENT_SCOPE)
endfunction()
zelora_ship(. Qt6::Core Qt6::Gui Qt6::Widgets ${runtime_dlls})
# No style plugin: the window's style is built on the "Windows" style inside
# Qt6Widgets, and a plugin would be loaded at start-up only to be replaced.
# The ICO reader draws the orientation pictures.
zelora_ship(plugins/platforms Qt6::QWindowsIntegrationPlugin)
zelora_ship(plugins/imageformats Qt6::QICOPlugin)
# The package strips the programs; the DLLs lose their debugging sections and
# symbols too (libstdc++-6.dll goes from 24 to 2 MB).
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(dll IN ITEMS ${shipped_dlls})
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${dll}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")
install(FILES ${windows_packaging}/qt.conf DESTINATION ${CMAKE_INSTALL_BINDIR})

# Qt's own texts (OK and Cancel, the edit fields' menu) in every face but the
# English one: the Russian layout's and any translation's in resources/.
file(GLOB face_translations RELATIVE ${PROJECT_SOURCE_DIR}/resources/translations
     ${PROJECT_SOURCE_DIR}/resources/translations/*_*.ts)
list(TRANSFORM face_translations REPLACE "^[a-z]+_(.+)\\.ts$" "\\1")
set(face_languages ru ${face_translations})
list(REMOVE_DUPLICATES face_languages)
list(REMOVE_ITEM face_languages en)
foreach(language IN LISTS face_languages)
  find_file(ZELORA_QTBASE_${language} qtbase_${language}.qm
            PATHS ${QT_HOST_PATH}/share/qt6/translations
                  ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT ZELORA_QTBASE_${language})
    message(FATAL_ERROR "qtbase_${language}.qm not found: install Qt's translations "
                        "(Debian: qt6-translations-l10n)")
  endif()
  install(FILES ${ZELORA_QTBASE_${language}} DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
endforeach()

# The licence with Windows line ends, for Notepad and the installer's page.
# (The text holds no @ to replace.)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${windows_build}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${windows_build}/LICENSE.txt DESTINATION ${CMAKE_INSTALL_BINDIR})
# The window's typeface is compiled into the program (src/window); its
# licence asks for its notice to go with every copy.
file(READ /usr/share/doc/fonts-dejavu-core/copyright font_notice)
string(REPLACE "\n" "\r\n" font_notice "${font_notice}")
file(WRITE ${windows_build}/DejaVu-fonts-LICENSE.txt "${font_notice}")
install(FILES ${windows_build}/DejaVu-fonts-LICENSE.txt DESTINATION ${CMAKE_INSTALL_BINDIR})

# --- The ZIP archive and the installer ----------------------------------------
set(CPACK_GENERATOR ZIP NSIS64)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME zelora)
set(CPACK_PACKAGE_VENDOR ${ZELORA_VENDOR})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME zelora-${PROJECT_VERSION}-win64)
# The installer adds "-setup" to its name.
set(CPACK_PROJECT_CONFIG_FILE ${windows_packaging}/CPackOptions.cmake)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Set the power-on defaults of a PCL5e laser printer on the parallel port")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${PROJECT_NAME})
# Without the version, so that a newer installer replaces the installed one.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${PROJECT_NAME})
set(CPACK_RESOURCE_FILE_LICENSE ${windows_build}/LICENSE.txt)
set(CPACK_STRIP_FILES ON)

set(CPACK_NSIS_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_NSIS_DISPLAY_NAME ${PROJECT_NAME})
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer, as the program is: it runs where 64-bit programs do
# (Wine without its 32-bit part included), and writes the 64-bit registry.
# CPack fills this slot of its script itself only for downloaded components.
# The settings stay, as they do when the Debian package is removed: the
# printer keeps the defaults it was sent, and the key is the only record of
# them for a later install. The uninstaller says so before and while it works.
set(CPACK_NSIS_DEFINES [[
  Target amd64-unicode
  !define MUI_UNCONFIRMPAGE_TEXT_TOP "Zelora will be removed from the folder below. Its settings in HKEY_LOCAL_MACHINE\Software\Quorvan\Zelora stay."]])
set(CPACK_NSIS_MUI_ICON ${main_icon})
set(CPACK_NSIS_MUI_UNIICON ${main_icon})
set(CPACK_NSIS_INSTALLED_ICON_NAME zelora.exe)
set(CPACK_NSIS_URL_INFO_ABOUT ${PROJECT_HOMEPAGE_URL})
set(CPACK_NSIS_CONTACT ${ZELORA_MAINTAINER})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The shortcut starts the program in its folder (the shortcut's working folder
# is the output path), where it reads the demonstration page.
set(CPACK_NSIS_CREATE_ICONS_EXTRA [[
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Zelora.lnk" "$INSTDIR\zelora.exe"]])
set(CPACK_NSIS_DELETE_ICONS_EXTRA [[
  Delete "$SMPROGRAMS\$MUI_TEMP\Zelora.lnk"]])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [[
  DetailPrint "Kept: the settings in HKEY_LOCAL_MACHINE\Software\Quorvan\Zelora"]])

include(CPack)
