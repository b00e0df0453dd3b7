// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include <string_view>

namespace zelora {
namespace {

constexpr std::string_view kHelp =
    "Usage: zelora [--help | --version]\n"
    "\n"
    "Opens the window that sets the power-on defaults of a PCL5e laser printer\n"
    "on the parallel port. The window takes no arguments; the options every Qt\n"
    "program understands, such as -platform, still apply.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n"
    "\n"
    "See zelora(1) for the files it uses.\n";

constexpr std::string_view kVersion =
    "zelora " ZELORA_VERSION
    "\n"
    "Copyright 2026 Zelora developers\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

}  // namespace

std::optional<int> AnswerInfoOption(int argc, const char* const* argv, std::FILE* out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "--version") {
      const std::string_view text = arg == "--help" ? kHelp : kVersion;
      const bool written =
          std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
      return written ? 0 : 1;
    }
  }
  return std::nullopt;
}

}  // namespace zelora
