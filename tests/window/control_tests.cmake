zelora_add_test(spin_field_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/spin_field_test.cpp
  LIBS zelora_fields zelora_settings)

zelora_add_test(number_text_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/number_text_test.cpp
  LIBS zelora_fields)

zelora_add_test(control_transfer_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_transfer_test.cpp
  LIBS zelora_control)

zelora_add_test(decimal_conversion_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/decimal_conversion_test.cpp
  LIBS zelora_fields)
