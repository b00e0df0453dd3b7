# The Qt window: the main window, its layout tables and the control kinds.
add_library(zelora_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/flat_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/flat_button.h
  ${CMAKE_CURRENT_LIST_DIR}/gauge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gauge.h
  ${CMAKE_CURRENT_LIST_DIR}/help_viewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help_viewer.h
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window.h
  ${CMAKE_CURRENT_LIST_DIR}/radio_group.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_group.h
  ${CMAKE_CURRENT_LIST_DIR}/shadowed_label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shadowed_label.h
  ${CMAKE_CURRENT_LIST_DIR}/spin_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spin_edit.h
  ${CMAKE_CURRENT_LIST_DIR}/status_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_bar.h
  ${CMAKE_CURRENT_LIST_DIR}/transmission_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transmission_box.h
  ${CMAKE_CURRENT_LIST_DIR}/window_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_layout.h
  # Start-up, the exception box, the hint line and the pictures.
  ${CMAKE_CURRENT_LIST_DIR}/exception_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exception_box.h
  ${CMAKE_CURRENT_LIST_DIR}/hint_handler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hint_handler.h
  ${CMAKE_CURRENT_LIST_DIR}/resource_pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resource_pictures.h
  ${CMAKE_CURRENT_LIST_DIR}/window_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_placement.h
)
target_include_directories(zelora_window PUBLIC ${PROJECT_SOURCE_DIR}/src)
# The only target with QObject classes of its own.
set_target_properties(zelora_window PROPERTIES AUTOMOC ON)
target_link_libraries(zelora_window PUBLIC Qt6::Widgets zelora_control zelora_fields zelora_settings
  zelora_printer)
# The help viewer reads the help file with the toolkit-free reader.
target_link_libraries(zelora_window PUBLIC zelora_help)
# The window's pictures come from the program's resources.
target_link_libraries(zelora_window PUBLIC zelora_resources)
