# A GoogleTest main inside a QApplication, for the tests that need widgets.
add_library(zelora_qt_test_main STATIC ${CMAKE_CURRENT_LIST_DIR}/qt_test_main.cpp)
target_link_libraries(zelora_qt_test_main PUBLIC Qt6::Widgets GTest::gtest zelora_window)

# One executable each, all inside a QApplication: the layout, Push/Pull on the
# real widgets, the control kinds, the help viewer, start-up/Exit/help/hints,
# the exception box, the transmission box and the pictures.
foreach(name
    main_window_layout_test
    main_window_transfer_test
    control_kinds_test
    help_viewer_test
    main_window_life_cycle_test
    exception_box_test
    transmission_box_test
    window_pictures_test)
  zelora_add_test(${name}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp
    LIBS zelora_window
    QT)
endforeach()

zelora_add_test(window_placement_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/window_placement_test.cpp
  LIBS zelora_window)

# Not a test: writes a picture of each page (docs/page_*.png).
add_executable(zelora_page_screenshots EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/page_screenshots.cpp)
target_link_libraries(zelora_page_screenshots PRIVATE zelora_window Qt6::Test)
