# A GoogleTest main inside a QApplication, for the tests that need widgets.
add_library(zelora_qt_test_main STATIC ${CMAKE_CURRENT_LIST_DIR}/qt_test_main.cpp)
target_link_libraries(zelora_qt_test_main PUBLIC Qt6::Widgets GTest::gtest)

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
