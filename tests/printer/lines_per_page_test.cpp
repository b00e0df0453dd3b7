// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lines_per_page.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/recording_port.h"

namespace zelora {
namespace {

using testing::RecordingNotifier;
using testing::RecordingPrinterPort;

constexpr std::int32_t kLetter = 0, kLegal = 1, kA4 = 2, kC5 = 7, kFolio = 9, kC6 = 11,
                       kOthers = 12;

struct LinesCase {
  std::int32_t paper;
  bool portrait;
  long double width;
  long double height;
  std::string lines;
};

void PrintTo(const LinesCase& c, std::ostream* os) {
  *os << "paper " << c.paper << (c.portrait ? " portrait" : " landscape") << " width "
      << static_cast<double>(c.width) << " height " << static_cast<double>(c.height);
}

class ChooseLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(ChooseLinesTest, GivesThePrintersLineCount) {
  const LinesCase& c = GetParam();
  EXPECT_EQ(ChooseLines(c.paper, c.portrait, c.width, c.height), c.lines);
}

// The first, a middle and the last row of the paper table in both
// orientations, and the rows whose count equals a neighbour's in the other
// orientation (Legal landscape, C5 portrait, Folio landscape), where a slip of
// row or column still gives a plausible number. The custom size here is
// 75 x 125, so a table size that fell through to the formula would give 11 or
// 23.
INSTANTIATE_TEST_SUITE_P(
    PaperTable, ChooseLinesTest,
    ::testing::Values(LinesCase{kLetter, true, 75, 125, "60"},
                      LinesCase{kLetter, false, 75, 125, "45"},
                      LinesCase{kLegal, false, 75, 125, "45"}, LinesCase{kA4, true, 75, 125, "64"},
                      LinesCase{kA4, false, 75, 125, "43"}, LinesCase{kC5, true, 75, 125, "39"},
                      LinesCase{kFolio, false, 75, 125, "48"}, LinesCase{kC6, true, 75, 125, "32"},
                      LinesCase{kC6, false, 75, 125, "20"}));

// Portrait reads the height only and landscape the width only: the other
// dimension is always one that would give a different count.
INSTANTIATE_TEST_SUITE_P(CustomSize, ChooseLinesTest,
                         ::testing::Values(LinesCase{kOthers, true, 75, 297, "64"},
                                           LinesCase{kOthers, true, 216, 356, "78"},
                                           LinesCase{kOthers, true, 216, 125, "23"},
                                           LinesCase{kOthers, true, 75, 295, "64"},
                                           LinesCase{kOthers, true, 75, 294, "63"},
                                           LinesCase{kOthers, false, 216, 125, "45"},
                                           LinesCase{kOthers, false, 210, 356, "43"},
                                           LinesCase{kOthers, false, 75, 356, "11"}));

// Typed beyond the fields' ranges: limited to SpinLpi's 5..128.
INSTANTIATE_TEST_SUITE_P(Limits, ChooseLinesTest,
                         ::testing::Values(LinesCase{kOthers, true, 216, 31, "5"},
                                           LinesCase{kOthers, true, 216, -40, "5"},
                                           LinesCase{kOthers, false, 40, 356, "5"},
                                           LinesCase{kOthers, false, 561, 125, "127"},
                                           LinesCase{kOthers, false, 563, 125, "128"},
                                           LinesCase{kOthers, false, 570, 125, "128"},
                                           LinesCase{kOthers, true, 75, 9999, "128"}));

INSTANTIATE_TEST_SUITE_P(NoPaperSize, ChooseLinesTest,
                         ::testing::Values(LinesCase{-1, true, 216, 356, ""},
                                           LinesCase{-1, false, 216, 356, ""},
                                           LinesCase{13, true, 216, 356, ""}));

// The number is the text's; no text is no number.
TEST(LinesPerPage, GivesTheChosenCountAsANumber) {
  EXPECT_EQ(LinesPerPage(kA4, true, 75, 125), 64);
  EXPECT_EQ(LinesPerPage(kOthers, false, 75, 356), 11);
  EXPECT_EQ(LinesPerPage(kOthers, false, 570, 125), 128);
  for (const std::int32_t none : {-1, 13}) {
    try {
      LinesPerPage(none, true, 216, 356);
      ADD_FAILURE() << "no exception for " << none;
    } catch (const LinesTextError& e) {
      EXPECT_STREQ(e.what(), "'' is not a valid floating point value");
    }
  }
}

TEST(SendLinesPerPage, WritesTheFormlinesJobOrShowsTheBox) {
  RecordingPrinterPort port;
  RecordingNotifier notifier;
  EXPECT_EQ(SendLinesPerPage(71, port, notifier), SendOutcome::Written);
  EXPECT_TRUE(notifier.shown.empty());
  port.accepts_bytes = false;
  EXPECT_EQ(SendLinesPerPage(5, port, notifier), SendOutcome::WriteFailed);
  EXPECT_EQ(port.writes,
            (std::vector<std::string>{"\033%-12345X@PJL DEFAULT FORMLINES=71\r\n\033%-12345X",
                                      "\033%-12345X@PJL DEFAULT FORMLINES=5\r\n\033%-12345X"}));
  EXPECT_EQ(notifier.shown,
            std::vector<TransmissionErrorVariant>{TransmissionErrorVariant::SingleCommand});
}

}  // namespace
}  // namespace zelora
