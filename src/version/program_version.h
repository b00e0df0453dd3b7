// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace zelora {

// What `program --version` prints: the program's name and the version of the
// whole project (ZELORA_VERSION, from project() in the top-level
// CMakeLists.txt), then the copyright and licence.
inline std::string VersionText(std::string_view program) {
  return std::string(program) +
         " " ZELORA_VERSION
         "\n"
         "Copyright 2026 Zelora developers\n"
         "License GPL-3.0-or-later: GNU GPL version 3 or later "
         "<https://gnu.org/licenses/gpl.html>.\n"
         "This is free software: you are free to change and redistribute it.\n"
         "There is NO WARRANTY, to the extent permitted by law.\n";
}

}  // namespace zelora
