// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zelora {

// The platform help service: shows a topic of a help file by context number.
// The program relies on nothing coming back; a missing help file is the
// engine's own business to report.
class HelpEngine {
 public:
  virtual ~HelpEngine() = default;
  // help_file is a bare file name such as "VERAR.HLP".
  virtual void ShowContext(const std::string& help_file, int context) = 0;
  // Called when the program ends after a help file has been used.
  virtual void Quit() = 0;
};

}  // namespace zelora
