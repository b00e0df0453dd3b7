# A GoogleTest main inside a QApplication, for the tests that need widgets.
add_library(zelora_qt_test_main STATIC ${CMAKE_CURRENT_LIST_DIR}/qt_test_main.cpp)
target_link_libraries(zelora_qt_test_main PUBLIC Qt6::Widgets GTest::gtest zelora_window)

zelora_add_test(main_window_layout_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_layout_test.cpp
  LIBS zelora_window
  QT)

zelora_add_test(main_window_transfer_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_transfer_test.cpp
  LIBS zelora_window
  QT)

zelora_add_test(control_kinds_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_kinds_test.cpp
  LIBS zelora_window
  QT)

zelora_add_test(help_viewer_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/help_viewer_test.cpp
  LIBS zelora_window
  QT)

# Start-up, Exit, help, the hint line, the exception box and the pictures.
zelora_add_test(main_window_life_cycle_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_window_life_cycle_test.cpp
  LIBS zelora_window
  QT)

zelora_add_test(exception_box_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/exception_box_test.cpp
  LIBS zelora_window
  QT)

zelora_add_test(transmission_box_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/transmission_box_test.cpp
  LIBS zelora_window
  QT)

zelora_add_test(window_pictures_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_pictures_test.cpp
  LIBS zelora_window
  QT)

zelora_add_test(window_placement_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_placement_test.cpp
  LIBS zelora_window)

# Not a test: writes a picture of each page (docs/page_*.png).
add_executable(zelora_page_screenshots EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/page_screenshots.cpp)
target_link_libraries(zelora_page_screenshots PRIVATE zelora_window Qt6::Test)
