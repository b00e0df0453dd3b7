// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <optional>

namespace zelora {

// --help and --version are answered before the toolkit starts, so they work
// without a display. Every other argument is left to the toolkit, which takes
// its own options and ignores the rest: the window has no command line.
// Returns the exit status when the program should stop here. Written through
// stdio rather than iostreams, whose set-up every start would pay for.
std::optional<int> AnswerInfoOption(int argc, const char* const* argv, std::FILE* out);

}  // namespace zelora
