// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjl_job.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "port_writer.h"
#include "setting_table.h"
#include "support/pjl_text.h"

namespace zelora {
namespace {

using testing::DefaultJob;

// ---------------------------------------------------------------- list words

// First and last entries and indices just past the ends are covered by the
// job cases below; these are the extremes no list can produce.
TEST(ItemWord, AnyIndexOutsideGivesEmptyText) {
  for (const SettingRow& row : kSettingTable) {
    if (row.rule != ValueRule::TableWord) continue;
    EXPECT_EQ(ItemWord(row, INT_MIN), "") << row.variable;
    EXPECT_EQ(ItemWord(row, INT_MAX), "") << row.variable;
  }
}

// ------------------------------------------------------------------ the jobs

struct JobCase {
  const char* name;
  Setting setting;
  SettingValue value;
  std::string expected;
  CustomSize custom{};
};

SettingValue Index(std::int32_t index) { return index; }

std::vector<JobCase> JobCases() {
  using S = Setting;
  const std::string kPowersaveOn =
      "\x1b%-12345X@PJL DEFAULT POWERSAVE=ON\r\n@PJL DEFAULT POWERSAVETIME=";
  const std::string kEnd = "\r\n\x1b%-12345X";
  // Each table is sampled at its first and last entries, past its end and
  // with nothing chosen, where an index slip shows (an index naming no entry
  // has no job); copying every row would only copy the table.
  return {
      {"BaudFirst", S::Baudrate, Index(0), DefaultJob("BAUDRATE=300")},
      {"BaudLast", S::Baudrate, Index(8), DefaultJob("BAUDRATE=115200")},
      {"BaudPastEnd", S::Baudrate, Index(9), ""},
      {"BaudNone", S::Baudrate, Index(-1), ""},
      {"Timeout20", S::Timeout, SettingValue(20.0L), DefaultJob("TIMEOUT=20")},
      {"Timeout300", S::Timeout, SettingValue(300.0L), DefaultJob("TIMEOUT=300")},
      {"PowersaveOff", S::Powersave, Index(0),
       "\x1b%-12345X@PJL DEFAULT POWERSAVE=OFF\r\n\x1b%-12345X"},
      {"Powersave10", S::Powersave, Index(1), kPowersaveOn + "10" + kEnd},
      {"Powersave60", S::Powersave, Index(5), kPowersaveOn + "60" + kEnd},
      {"PowersavePastEnd", S::Powersave, Index(6), ""},
      {"PowersaveNone", S::Powersave, Index(-1), ""},
      {"AutocontOn", S::Autocont, true, DefaultJob("AUTOCONT=ON")},
      {"AutocontOff", S::Autocont, false, DefaultJob("AUTOCONT=OFF")},
      {"JamOn", S::Jamrecover, true, DefaultJob("JAMRECOVERY=ON")},
      {"JamOff", S::Jamrecover, false, DefaultJob("JAMRECOVERY=OFF")},
      {"RobustOn", S::Robust, true, DefaultJob("ROBUST=ON")},
      {"RobustOff", S::Robust, false, DefaultJob("ROBUST=OFF")},
      {"PaperFirst", S::Papersize, Index(0), DefaultJob("PAPER=LETTER")},
      {"PaperA4", S::Papersize, Index(2), DefaultJob("PAPER=A4")},
      {"PaperLast", S::Papersize, Index(11), DefaultJob("PAPER=C6")},
      {"PaperNone", S::Papersize, Index(-1), ""},
      {"PaperCustom",
       S::Papersize,
       Index(12),
       DefaultJob("PAPER=OTHERS WIDTH=210 HEIGHT=297"),
       {210, 297}},
      {"PaperCustomBounds",
       S::Papersize,
       Index(12),
       DefaultJob("PAPER=OTHERS WIDTH=75 HEIGHT=356"),
       {75, 356}},
      {"PaperPastCustom",
       S::Papersize,
       Index(13),
       DefaultJob("PAPER=OTHERS WIDTH=216 HEIGHT=125"),
       {216, 125}},
      {"SourceFirst", S::Source, Index(0), DefaultJob("MEDIASOURCE=AUTO")},
      {"SourceLast", S::Source, Index(3), DefaultJob("MEDIASOURCE=TRAY2")},
      {"SourcePastEnd", S::Source, Index(4), ""},
      {"SourceNone", S::Source, Index(-1), ""},
      {"Lpi60", S::Lpi, SettingValue(60.0L), DefaultJob("FORMLINES=60")},
      {"Lpi128", S::Lpi, SettingValue(128.0L), DefaultJob("FORMLINES=128")},
      {"Copies1", S::Copies, SettingValue(1.0L), DefaultJob("COPIES=1")},
      {"Copies99", S::Copies, SettingValue(99.0L), DefaultJob("COPIES=99")},
      {"Portrait", S::Orientation, true, DefaultJob("ORIENTATION=PORTRAIT")},
      {"Landscape", S::Orientation, false, DefaultJob("ORIENTATION=LANDSCAPE")},
      {"PapertypeNormal", S::Papertype, Index(0), DefaultJob("PAPERTYPE=NORMAL")},
      {"PapertypeThick", S::Papertype, Index(1), DefaultJob("PAPERTYPE=THICK")},
      {"PapertypeNone", S::Papertype, Index(-1), ""},
      {"TypefaceFirst", S::Typeface, Index(0), DefaultJob("FONTNUMBER=0")},
      {"TypefaceLast", S::Typeface, Index(50), DefaultJob("FONTNUMBER=50")},
      {"TypefacePastEnd", S::Typeface, Index(51), ""},
      {"TypefaceNone", S::Typeface, Index(-1), ""},
      {"SymbolFirst", S::Symbol, Index(0), DefaultJob("SYMSET=ROMAN8")},
      {"SymbolLast", S::Symbol, Index(35), DefaultJob("SYMSET=PCCYRILLIC")},
      {"SymbolPastEnd", S::Symbol, Index(36), ""},
      {"SymbolNone", S::Symbol, Index(-1), ""},
      {"Pitch10", S::Pitch, SettingValue(10.0L), DefaultJob("PITCH=10")},
      {"Pitch1667Point", S::Pitch, SettingValue(16.67L), DefaultJob("PITCH=16.67")},
      {"PitchMin", S::Pitch, SettingValue(0.44L), DefaultJob("PITCH=0.44")},
      {"Point1225Point", S::Point, SettingValue(12.25L), DefaultJob("PTSIZE=12.25")},
      {"PointMax", S::Point, SettingValue(999.75L), DefaultJob("PTSIZE=999.75")},
      {"DensityMedium", S::Density, Index(0), DefaultJob("DENSITY=1")},
      {"DensityDarker", S::Density, Index(1), DefaultJob("DENSITY=2")},
      {"DensityPastEnd", S::Density, Index(2), ""},
      {"DensityNone", S::Density, Index(-1), ""},
      {"EconomodeOff", S::Economode, Index(0), DefaultJob("ECONOMODE=OFF")},
      {"EconomodeOn", S::Economode, Index(1), DefaultJob("ECONOMODE=ON")},
      {"EconomodeNone", S::Economode, Index(-1), ""},
  };
}

void PrintTo(const JobCase& c, std::ostream* os) { *os << c.name; }

class BuildJobTest : public ::testing::TestWithParam<JobCase> {};

TEST_P(BuildJobTest, ExactBytes) {
  const JobCase& c = GetParam();
  EXPECT_EQ(BuildJob(c.setting, c.value, c.custom), c.expected);
}

INSTANTIATE_TEST_SUITE_P(AllSettings, BuildJobTest, ::testing::ValuesIn(JobCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BuildJobCoverage, EveryCatalogueRowHasACase) {
  std::set<Setting> covered;
  for (const JobCase& c : JobCases()) covered.insert(c.setting);
  EXPECT_EQ(covered.size(), static_cast<std::size_t>(kSettingCount));
}

// The widest values the window's lists and fields can hold.
TEST(BuildJob, LongestJobsFitThePort) {
  EXPECT_EQ(BuildJob(Setting::Powersave, Index(5), {}).size(), 76u);
  for (Setting setting : {Setting::Baudrate, Setting::Papersize, Setting::Symbol}) {
    for (std::int32_t index = -1; index <= 40; ++index) {
      EXPECT_LE(BuildJob(setting, index, {216, 356}).size(), kMaxJobLength);
    }
  }
  for (const SettingRow& row : kSettingTable) {
    if (row.rule != ValueRule::NumberText) continue;
    EXPECT_LE(BuildJob(row.setting, 999.75L, {}).size(), kMaxJobLength) << row.variable;
  }
}

// A value of another kind than the setting's is a caller's mistake, not a job.
TEST(BuildJob, ValueOfTheWrongKindIsRefused) {
  EXPECT_THROW(BuildJob(Setting::Timeout, Index(20), {}), std::bad_variant_access);
  EXPECT_THROW(BuildJob(Setting::Papersize, true, {}), std::bad_variant_access);
  EXPECT_THROW(BuildJob(Setting::Orientation, 1.0L, {}), std::bad_variant_access);
}

// ------------------------------------------------------------------ table

TEST(SettingTable, RowsHaveDistinctNamesAndWhatTheirRuleReads) {
  std::set<std::string_view> variables;
  std::set<std::string_view> value_names;
  for (const SettingRow& row : kSettingTable) {
    EXPECT_EQ(row.value_name.substr(0, 2), "R_");
    const bool reads_words =
        row.rule == ValueRule::TableWord || row.rule == ValueRule::PowersaveJob ||
        row.rule == ValueRule::PaperSizeJob || row.rule == ValueRule::IndexZeroWord;
    if (reads_words) {
      EXPECT_GE(row.items.size(), 2u) << row.variable;
    }
    EXPECT_EQ(row.rule == ValueRule::CheckedWord, !row.on_word.empty()) << row.variable;
    variables.insert(row.variable);
    value_names.insert(row.value_name);
  }
  EXPECT_EQ(variables.size(), static_cast<std::size_t>(kSettingCount));
  EXPECT_EQ(value_names.size(), static_cast<std::size_t>(kSettingCount));
}

}  // namespace
}  // namespace zelora
