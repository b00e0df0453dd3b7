// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace zelora {

// An error of the settings key: a value of the wrong type or size, a refused
// write, or a settings store that cannot be used. The window shows its text.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;

  static RegistryError InvalidDataType(std::string_view value_name) {
    return RegistryError("Invalid data type for '" + std::string(value_name) + "'");
  }
  static RegistryError FailedToGetData(std::string_view value_name) {
    return RegistryError("Failed to get data for '" + std::string(value_name) + "'");
  }
  static RegistryError FailedToSetData(std::string_view value_name) {
    return RegistryError("Failed to set data for '" + std::string(value_name) + "'");
  }
};

}  // namespace zelora
