# SPDX-FileCopyrightText: 2026 Zelora developers
# SPDX-License-Identifier: GPL-3.0-or-later
# zelora_add_test(<name> SOURCES <files...> LIBS <targets...> [QT]
#                 [ENVIRONMENT_MODIFICATION <entries...>] [PROPERTIES <test properties...>])
# One GoogleTest executable, registered with CTest. Discovery runs before each
# test, never at build time, so building needs no display. QT tests get a main
# that creates the QApplication (offscreen when there is no display).
# ENVIRONMENT_MODIFICATION entries are CTest's (for example
# "XDG_DATA_DIRS=set:<dirs>"); PROPERTIES go to each discovered test.
function(zelora_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS;ENVIRONMENT_MODIFICATION;PROPERTIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} zelora_qt_test_main Qt6::Test GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  set(modification)
  if(ARG_ENVIRONMENT_MODIFICATION)
    set(modification ENVIRONMENT_MODIFICATION "${ARG_ENVIRONMENT_MODIFICATION}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${modification} ${ARG_PROPERTIES})
endfunction()

# zelora_not_on_windows(<name> <reason>)
# A test program that cannot run on Windows stays in the Windows test run as a
# skipped test that prints why, so the run's output shows what went untested.
function(zelora_not_on_windows name reason)
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo "Not on Windows: ${reason}")
  set_tests_properties(${name} PROPERTIES SKIP_REGULAR_EXPRESSION "Not on Windows: ")
endfunction()
