# Toolkit-free models of the window's controls. zelora_fields is also built
# for Windows, so it stays free of POSIX-only calls outside #ifdef blocks.
add_library(zelora_fields STATIC
  ${CMAKE_CURRENT_LIST_DIR}/decimal_conversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spin_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/spin_field_layout.cpp
)
target_include_directories(zelora_fields PUBLIC ${PROJECT_SOURCE_DIR}/src)

# Push and Pull between the settings record and the controls.
add_library(zelora_control STATIC
  ${CMAKE_CURRENT_LIST_DIR}/control_transfer.cpp
)
target_include_directories(zelora_control PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(zelora_control PUBLIC zelora_settings zelora_fields)
