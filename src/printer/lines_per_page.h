// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "port_writer.h"
#include "setting_sender.h"
#include "transmission_notifier.h"

namespace zelora {

// The lines text of a custom page: d is the custom height in portrait and the
// custom width in landscape, in millimetres.
std::string CustomSizeLines(long double d);

// The lines-per-page text for a paper size (paper-size list index) in the given
// orientation: the paper table's text for 0..11, the custom-size text for 12
// (from the height in portrait, the width in landscape), and an empty text for
// any other index (-1, nothing selected, included). Pure.
std::string ChooseLines(std::int32_t paper_index, bool portrait, long double custom_width,
                        long double custom_height);

// The lines text is not a number (no paper size selected).
class LinesTextError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The lines per page that fit the paper, as ChooseLines picks them. Throws
// LinesTextError when there is no number to pick (no paper size selected).
int LinesPerPage(std::int32_t paper_index, bool portrait, long double custom_width,
                 long double custom_height);

// Sends the lines per page as a FORMLINES job; a failed write shows the
// single-command box. Returns Written or WriteFailed.
SendOutcome SendLinesPerPage(int lines, PortWriter& port, Notifier& notifier);

}  // namespace zelora
