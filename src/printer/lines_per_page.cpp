// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lines_per_page.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

#include "paper_sizes.h"
#include "pjl_job.h"
#include "setting_table.h"

namespace zelora {

namespace {

static_assert(kPaperSizeTable[kCustomPaperIndex].portrait_lines.empty() &&
                  !kPaperSizeTable[kCustomPaperIndex - 1].portrait_lines.empty(),
              "the custom size is the paper table's last entry");

// SendLinesPerPage writes the number's own text: the table's texts must be
// plain decimals for that to be the text the table gives.
constexpr bool PlainDecimal(std::string_view text) {
  if (text.empty() || text.front() == '0') return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}
static_assert(
    [] {
      for (std::size_t i = 0; i < static_cast<std::size_t>(kCustomPaperIndex); ++i) {
        if (!PlainDecimal(kPaperSizeTable[i].portrait_lines) ||
            !PlainDecimal(kPaperSizeTable[i].landscape_lines)) {
          return false;
        }
      }
      return true;
    }(),
    "the paper table's lines are plain decimals");

}  // namespace

std::string CustomSizeLines(long double d) {
  // floor((12 d - 340) / 50). For a whole d the quotient is either a whole
  // number, which the division gives exactly, or at least 1/50 away from one,
  // so the floor never lands on the wrong side. Limited before the conversion
  // so that no typed number can overflow it.
  const long double lines =
      std::clamp(std::floor((12 * d - 340) / 50), RowOf(Setting::Lpi).range.min,
                 RowOf(Setting::Lpi).range.max);
  return std::to_string(static_cast<int>(lines));
}

std::string ChooseLines(std::int32_t paper_index, bool portrait, long double custom_width,
                        long double custom_height) {
  if (paper_index == kCustomPaperIndex) {
    return CustomSizeLines(portrait ? custom_height : custom_width);
  }
  if (paper_index < 0 || paper_index > kCustomPaperIndex) return {};
  const PaperSize& paper = kPaperSizeTable[static_cast<std::size_t>(paper_index)];
  return std::string(portrait ? paper.portrait_lines : paper.landscape_lines);
}

int LinesPerPage(std::int32_t paper_index, bool portrait, long double custom_width,
                 long double custom_height) {
  const std::string lines = ChooseLines(paper_index, portrait, custom_width, custom_height);
  int number = 0;
  const auto [end, error] = std::from_chars(lines.data(), lines.data() + lines.size(), number);
  if (error != std::errc{} || end != lines.data() + lines.size()) {
    throw LinesTextError("'" + lines + "' is not a valid floating point value");
  }
  return number;
}

SendOutcome SendLinesPerPage(int lines, PortWriter& port, Notifier& notifier) {
  // The paper table's texts are plain decimals, so the number's own text is
  // the one the table gives.
  const std::string job = SettingJob(RowOf(Setting::Lpi).variable, std::to_string(lines));
  if (!port.WriteJob(job)) {
    notifier.ShowTransmissionError(TransmissionErrorVariant::SingleCommand);
    return SendOutcome::WriteFailed;
  }
  return SendOutcome::Written;
}

}  // namespace zelora
