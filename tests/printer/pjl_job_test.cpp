// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjl_job.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "port_writer.h"
#include "setting_catalogue.h"
#include "spin_field_layout.h"
#include "support/fake_controls.h"
#include "value_tables.h"

namespace zelora {
namespace {

using testing::FakeControls;

// One "@PJL DEFAULT" line inside a UEL pair, written out independently of the
// code under test.
std::string Framed(const std::string& line) {
  return "\x1b%-12345X@PJL DEFAULT " + line + "\r\n\x1b%-12345X";
}

// ---------------------------------------------------------------- value tables

// First and last entries and indices past the ends are covered by the job
// cases below; these are the extremes no list can produce.
TEST(ValueTable, AnyIndexOutsideGivesEmptyText) {
  for (const ValueTable* table :
       {&kBaudRates, &kPaperSizes, &kPaperSources, &kPowerSaveTimes, &kSymbolSets, &kDensities}) {
    EXPECT_EQ(table->Text(INT_MIN), "");
    EXPECT_EQ(table->Text(INT_MAX), "");
    EXPECT_EQ(table->Text(table->FirstIndex() - 1), "");
    EXPECT_EQ(table->Text(table->LastIndex() + 1), "");
    EXPECT_NE(table->Text(table->LastIndex()), "");
  }
}

// ------------------------------------------------------------------ the jobs

struct JobCase {
  const char* name;
  Setting setting;
  std::function<void(FakeControls&)> setup;
  std::string expected;
  char separator = '.';
};

auto Index(Control control, std::int32_t index) {
  return [=](FakeControls& c) { c.SetItemIndex(control, index); };
}
auto Check(Control control, bool checked) {
  return [=](FakeControls& c) { c.SetChecked(control, checked); };
}
auto Value(Control control, long double value) {
  return [=](FakeControls& c) { c.SetSpinValue(control, value); };
}
auto CustomPaper(std::int32_t index, long double width, long double height) {
  return [=](FakeControls& c) {
    c.SetItemIndex(Control::ComPapersize, index);
    c.SetSpinValue(Control::RxSpinEdit1, width);
    c.SetSpinValue(Control::RxSpinEdit2, height);
  };
}

std::vector<JobCase> JobCases() {
  using S = Setting;
  using C = Control;
  const std::string kPowersaveOn =
      "\x1b%-12345X@PJL DEFAULT POWERSAVE=ON\r\n@PJL DEFAULT POWERSAVETIME=";
  const std::string kEnd = "\r\n\x1b%-12345X";
  // Each table is sampled at its first and last entries, past its end and
  // with nothing chosen, where an index slip shows; copying every row would
  // only copy the table.
  return {
      {"BaudFirst", S::Baudrate, Index(C::ComBaudrate, 0), Framed("BAUDRATE=300")},
      {"BaudLast", S::Baudrate, Index(C::ComBaudrate, 8), Framed("BAUDRATE=115200")},
      {"BaudPastEnd", S::Baudrate, Index(C::ComBaudrate, 9), Framed("BAUDRATE=")},
      {"BaudNone", S::Baudrate, Index(C::ComBaudrate, -1), Framed("BAUDRATE=")},
      {"Timeout20", S::Timeout, Value(C::SpinTimeout, 20), Framed("TIMEOUT=20")},
      {"Timeout300", S::Timeout, Value(C::SpinTimeout, 300), Framed("TIMEOUT=300")},
      {"PowersaveOff", S::Powersave, Index(C::ComPowersave, 0),
       "\x1b%-12345X@PJL DEFAULT POWERSAVE=OFF\r\n\x1b%-12345X"},
      {"Powersave10", S::Powersave, Index(C::ComPowersave, 1), kPowersaveOn + "10" + kEnd},
      {"Powersave60", S::Powersave, Index(C::ComPowersave, 5), kPowersaveOn + "60" + kEnd},
      {"PowersavePastEnd", S::Powersave, Index(C::ComPowersave, 6), kPowersaveOn + kEnd},
      {"PowersaveNone", S::Powersave, Index(C::ComPowersave, -1), kPowersaveOn + kEnd},
      {"AutocontOn", S::Autocont, Check(C::ChkAutocont, true), Framed("AUTOCONT=ON")},
      {"AutocontOff", S::Autocont, Check(C::ChkAutocont, false), Framed("AUTOCONT=OFF")},
      {"JamOn", S::Jamrecover, Check(C::ChkJamrecover, true), Framed("JAMRECOVERY=ON")},
      {"JamOff", S::Jamrecover, Check(C::ChkJamrecover, false), Framed("JAMRECOVERY=OFF")},
      {"RobustOn", S::Robust, Check(C::ChkRobust, true), Framed("ROBUST=ON")},
      {"RobustOff", S::Robust, Check(C::ChkRobust, false), Framed("ROBUST=OFF")},
      {"PaperFirst", S::Papersize, Index(C::ComPapersize, 0), Framed("PAPER=LETTER")},
      {"PaperA4", S::Papersize, Index(C::ComPapersize, 2), Framed("PAPER=A4")},
      {"PaperLast", S::Papersize, Index(C::ComPapersize, 11), Framed("PAPER=C6")},
      {"PaperNone", S::Papersize, Index(C::ComPapersize, -1), Framed("PAPER=")},
      {"PaperCustom", S::Papersize, CustomPaper(12, 210, 297),
       Framed("PAPER=OTHERS WIDTH=210 HEIGHT=297")},
      {"PaperCustomBounds", S::Papersize, CustomPaper(12, 75, 356),
       Framed("PAPER=OTHERS WIDTH=75 HEIGHT=356")},
      {"PaperPastCustom", S::Papersize, CustomPaper(13, 216, 125),
       Framed("PAPER=OTHERS WIDTH=216 HEIGHT=125")},
      {"PaperCustomCommaLocale", S::Papersize, CustomPaper(12, 210, 297),
       Framed("PAPER=OTHERS WIDTH=210 HEIGHT=297"), ','},
      {"SourceFirst", S::Source, Index(C::ComSource, 0), Framed("MEDIASOURCE=AUTO")},
      {"SourceLast", S::Source, Index(C::ComSource, 3), Framed("MEDIASOURCE=TRAY2")},
      {"SourcePastEnd", S::Source, Index(C::ComSource, 4), Framed("MEDIASOURCE=")},
      {"Lpi60", S::Lpi, Value(C::SpinLpi, 60), Framed("FORMLINES=60")},
      {"Lpi128", S::Lpi, Value(C::SpinLpi, 128), Framed("FORMLINES=128")},
      {"Copies1", S::Copies, Value(C::SpinCopies, 1), Framed("COPIES=1")},
      {"Copies99", S::Copies, Value(C::SpinCopies, 99), Framed("COPIES=99")},
      {"Portrait", S::Orientation, Check(C::BtnPortrait, true), Framed("ORIENTATION=PORTRAIT")},
      {"Landscape", S::Orientation, Check(C::BtnLandscape, true), Framed("ORIENTATION=LANDSCAPE")},
      {"NoOrientationChecked", S::Orientation, [](FakeControls&) {},
       Framed("ORIENTATION=LANDSCAPE")},
      {"PapertypeNormal", S::Papertype, Index(C::GrpPapertype, 0), Framed("PAPERTYPE=NORMAL")},
      {"PapertypeThick", S::Papertype, Index(C::GrpPapertype, 1), Framed("PAPERTYPE=THICK")},
      {"PapertypeNone", S::Papertype, Index(C::GrpPapertype, -1), Framed("PAPERTYPE=THICK")},
      {"TypefaceFirst", S::Typeface, Index(C::ListTypeface, 0), Framed("FONTNUMBER=0")},
      {"TypefaceLast", S::Typeface, Index(C::ListTypeface, 50), Framed("FONTNUMBER=50")},
      {"TypefaceNone", S::Typeface, Index(C::ListTypeface, -1), Framed("FONTNUMBER=-1")},
      {"SymbolFirst", S::Symbol, Index(C::ListSymbol, 0), Framed("SYMSET=ROMAN8")},
      {"SymbolLast", S::Symbol, Index(C::ListSymbol, 35), Framed("SYMSET=PCCYRILLIC")},
      {"SymbolPastEnd", S::Symbol, Index(C::ListSymbol, 36), Framed("SYMSET=")},
      {"SymbolNone", S::Symbol, Index(C::ListSymbol, -1), Framed("SYMSET=")},
      {"Pitch10", S::Pitch, Value(C::SpinPitch, 10), Framed("PITCH=10")},
      {"Pitch1667Point", S::Pitch, Value(C::SpinPitch, 16.67L), Framed("PITCH=16.67")},
      {"Pitch1667Comma", S::Pitch, Value(C::SpinPitch, 16.67L), Framed("PITCH=16,67"), ','},
      {"PitchMin", S::Pitch, Value(C::SpinPitch, 0.44L), Framed("PITCH=0.44")},
      {"Point1225Point", S::Point, Value(C::SpinPoint, 12.25L), Framed("PTSIZE=12.25")},
      {"Point1225Comma", S::Point, Value(C::SpinPoint, 12.25L), Framed("PTSIZE=12,25"), ','},
      {"PointMax", S::Point, Value(C::SpinPoint, 999.75L), Framed("PTSIZE=999.75")},
      {"DensityMedium", S::Density, Index(C::GrpDensity, 0), Framed("DENSITY=1")},
      {"DensityDarker", S::Density, Index(C::GrpDensity, 1), Framed("DENSITY=2")},
      {"DensityPastEnd", S::Density, Index(C::GrpDensity, 2), Framed("DENSITY=")},
      {"DensityNone", S::Density, Index(C::GrpDensity, -1), Framed("DENSITY=")},
      {"EconomodeOff", S::Economode, Index(C::GrpEconomode, 0), Framed("ECONOMODE=OFF")},
      {"EconomodeOn", S::Economode, Index(C::GrpEconomode, 1), Framed("ECONOMODE=ON")},
      {"EconomodeNone", S::Economode, Index(C::GrpEconomode, -1), Framed("ECONOMODE=ON")},
  };
}

void PrintTo(const JobCase& c, std::ostream* os) { *os << c.name; }

class BuildJobTest : public ::testing::TestWithParam<JobCase> {};

TEST_P(BuildJobTest, ExactBytes) {
  const JobCase& c = GetParam();
  FakeControls controls(c.separator);
  c.setup(controls);
  controls.log.clear();
  EXPECT_EQ(BuildJob(c.setting, controls, c.separator), c.expected);
  // Building only reads the controls.
  for (const std::string& call : controls.log) {
    EXPECT_EQ(call.rfind("Set", 0), std::string::npos) << call;
  }
}

INSTANTIATE_TEST_SUITE_P(AllSettings, BuildJobTest, ::testing::ValuesIn(JobCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BuildJobCoverage, EveryCatalogueRowHasACase) {
  std::set<Setting> covered;
  for (const JobCase& c : JobCases()) covered.insert(c.setting);
  EXPECT_EQ(covered.size(), static_cast<std::size_t>(kSettingCount));
}

TEST(BuildJob, LongestJobsFitThePort) {
  FakeControls controls;
  controls.SetItemIndex(Control::ComPowersave, 5);
  EXPECT_EQ(BuildJob(Setting::Powersave, controls, '.').size(), 76u);
  for (Setting setting : {Setting::Baudrate, Setting::Papersize, Setting::Symbol}) {
    for (std::int32_t index = -1; index <= 40; ++index) {
      controls.SetItemIndex(CatalogueRowFor(setting).control, index);
      EXPECT_LE(BuildJob(setting, controls, '.').size(), kMaxJobLength);
    }
  }
  for (const CatalogueRow& row : SettingCatalogue()) {
    if (row.rule != ValueRule::NumberText) continue;
    controls.SetSpinValue(row.control, SpinFieldProperties(row.control).max_value);
    EXPECT_LE(BuildJob(row.setting, controls, '.').size(), kMaxJobLength)
        << ControlName(row.control);
  }
}

// ------------------------------------------------------------------ catalogue

TEST(SettingCatalogue, RowsFollowSettingOrderWithDistinctNames) {
  std::set<std::string_view> variables;
  std::set<std::string_view> value_names;
  std::set<Control> controls;
  for (int i = 0; i < kSettingCount; ++i) {
    const CatalogueRow& row = SettingCatalogue()[static_cast<std::size_t>(i)];
    EXPECT_EQ(static_cast<int>(row.setting), i);
    EXPECT_EQ(&CatalogueRowFor(row.setting), &row);
    EXPECT_EQ(row.value_name.substr(0, 2), "R_");
    const bool looks_up_a_table = row.rule == ValueRule::TableWord ||
                                  row.rule == ValueRule::PowersaveJob ||
                                  row.rule == ValueRule::PaperSizeJob;
    EXPECT_EQ(row.table != nullptr, looks_up_a_table) << row.variable;
    variables.insert(row.variable);
    value_names.insert(row.value_name);
    controls.insert(row.control);
  }
  EXPECT_EQ(variables.size(), static_cast<std::size_t>(kSettingCount));
  EXPECT_EQ(value_names.size(), static_cast<std::size_t>(kSettingCount));
  EXPECT_EQ(controls.size(), static_cast<std::size_t>(kSettingCount));
}

TEST(SettingCatalogue, OnlyTheTimeoutIsRangeChecked) {
  for (const CatalogueRow& row : SettingCatalogue()) {
    EXPECT_EQ(row.accepted != nullptr, row.setting == Setting::Timeout) << row.variable;
  }
  const SpinField::Properties timeout = SpinFieldProperties(Control::SpinTimeout);
  EXPECT_EQ(kTimeoutRange.min, timeout.min_value);
  EXPECT_EQ(kTimeoutRange.max, timeout.max_value);
}

}  // namespace
}  // namespace zelora
