// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include <string>
#include <string_view>

#include "program_version.h"

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

}  // namespace

std::optional<int> AnswerInfoOption(int argc, const char* const* argv, std::FILE* out) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "--version") {
      const std::string text = arg == "--help" ? std::string(kHelp) : VersionText("zelora");
      const bool written =
          std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
      return written ? 0 : 1;
    }
  }
  return std::nullopt;
}

}  // namespace zelora
