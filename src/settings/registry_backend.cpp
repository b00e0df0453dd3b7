// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "registry_backend.h"

namespace zelora {

std::string RegistryBackend::ReadRefusal(std::string_view) { return {}; }

std::string RegistryBackend::WriteRefusal(std::string_view path) {
  return "This user may not store settings under HKEY_LOCAL_MACHINE\\" + std::string(path) +
         "; administrators may";
}

}  // namespace zelora
