// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "paper_sizes.h"
#include "settings_record.h"

namespace zelora {

// Everything about the eighteen settings below the window, one row each: where
// the settings key keeps it, what the printer calls it and how its value is
// told, the entries of its list with their printer words, and the range of
// its spin field. The window's lists and fields and the printer's jobs are
// read from here, so a setting is described once.

// A field of the settings record, of one of its three kinds; the kind is also
// the stored type (integer, boolean, float).
using RecordField = std::variant<std::int32_t SettingsRecord::*, bool SettingsRecord::*,
                                 long double SettingsRecord::*>;

// One entry of a setting's list or radio group: the word the printer is told
// for it (empty when its job uses none). How many entries a list has bounds
// the setting's values; what the window shows for them is the window's own.
struct ListItem {
  std::string_view word{};
};

// How a setting's value text is formed from its value.
enum class ValueRule {
  TableWord,      // the word of the list entry
  NumberText,     // general number text of the spin value
  CheckedWord,    // on_word when checked, off_word otherwise
  IndexZeroWord,  // entry 0's word for index 0, entry 1's word for any other index
  IndexNumber,    // decimal text of the list index (-1 when nothing is selected)
  PowersaveJob,   // off job for index 0, otherwise on with the entry's minutes
  PaperSizeJob,   // entry's word, or the custom-size job from kCustomPaperIndex on
};

// The values a spin field takes.
struct ValueRange {
  long double min = 0;
  long double max = 0;
};

struct SettingRow {
  Setting setting;
  std::string_view value_name;  // settings-key value, "R_..."
  RecordField field;
  std::string_view variable;  // as in "@PJL DEFAULT <variable>="
  ValueRule rule;
  std::span<const ListItem> items{};
  std::string_view on_word{};  // CheckedWord
  std::string_view off_word{};
  // A spin setting's: the printer is never told a value outside it, nor is
  // one stored; the record's value is put back instead.
  ValueRange range{};
  // What the Send pass does after the setting: fit the lines per page to the
  // paper; and, for the setting whose job carries the custom size, send that
  // job again (with the lines) for each custom dimension that changed.
  bool fits_lines = false;
  bool carries_custom_size = false;
};

// "Others(mm)" and any index after it in the paper-size list.
inline constexpr std::int32_t kCustomPaperIndex = static_cast<std::int32_t>(kPaperSizeCount) - 1;

namespace list_items {

// clang-format off
inline constexpr ListItem kBaudRates[] = {
    {"300"}, {"600"}, {"1200"}, {"2400"}, {"4800"}, {"9600"}, {"19200"}, {"38400"}, {"115200"},
};

// Off has a job of its own; the others give the time in minutes.
inline constexpr ListItem kPowerSaveTimes[] = {{""}, {"10"}, {"15"}, {"30"}, {"45"}, {"60"}};

// The paper table's sizes; the custom size, last, has a job of its own.
inline constexpr auto kPaperSizes = [] {
  std::array<ListItem, kPaperSizeCount> items{};
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = {kPaperSizeTable[i].pjl_word};
  return items;
}();

inline constexpr ListItem kPaperSources[] = {{"AUTO"}, {"MANUAL"}, {"TRAY1"}, {"TRAY2"}};

inline constexpr ListItem kPaperTypes[] = {{"NORMAL"}, {"THICK"}};

// The printer's fonts 0 to 50; their job sends the number, so they have no words.
inline constexpr std::array<ListItem, 51> kTypefaces{};

inline constexpr ListItem kSymbolSets[] = {
    {"ROMAN8"}, {"DESKTOP"}, {"ECMA94"},  {"MCTEXT"},   {"MATH8"},    {"MSPUBL"},
    {"PIFONT"}, {"PSMATH"},  {"PSTEXT"},  {"VNINTL"},   {"VNMATH"},   {"VNUS"},
    {"WIN30"},  {"WINL1"},   {"WINL2"},   {"WINL5"},    {"SYMBOL"},   {"WINGDING"},
    {"LEGAL"},  {"ISO4"},    {"ISO6"},    {"ISO11"},    {"ISO15"},    {"ISO17"},
    {"ISO21"},  {"ISO60"},   {"ISO69"},   {"ISOL2"},    {"ISOL5"},    {"PC8"},
    {"PC8DN"},  {"PC850"},   {"PC852"},   {"PC8TK"},    {"CYRILLIC"}, {"PCCYRILLIC"},
};

// Medium, then dark.
inline constexpr ListItem kDensities[] = {{"1"}, {"2"}};
inline constexpr ListItem kEconomodes[] = {{"OFF"}, {"ON"}};
// clang-format on

}  // namespace list_items

namespace table_rows {
using S = Setting;
using R = ValueRule;
using SR = SettingsRecord;
namespace li = list_items;

// clang-format off
inline constexpr std::array<SettingRow, kSettingCount> kRows{{
  {S::Baudrate,    "R_baudrate",    &SR::baudrate,    "BAUDRATE",    R::TableWord,     li::kBaudRates},
  {S::Timeout,     "R_timeout",     &SR::timeout,     "TIMEOUT",     R::NumberText,    {}, {}, {},
   {10, 300}},
  {S::Powersave,   "R_powersave",   &SR::powersave,   "POWERSAVE",   R::PowersaveJob,  li::kPowerSaveTimes},
  {S::Autocont,    "R_autocont",    &SR::autocont,    "AUTOCONT",    R::CheckedWord,   {}, "ON", "OFF"},
  {S::Jamrecover,  "R_jamrecover",  &SR::jamrecover,  "JAMRECOVERY", R::CheckedWord,   {}, "ON", "OFF"},
  {S::Robust,      "R_robust",      &SR::robust,      "ROBUST",      R::CheckedWord,   {}, "ON", "OFF"},
  {S::Papersize,   "R_papersize",   &SR::papersize,   "PAPER",       R::PaperSizeJob,  li::kPaperSizes,
   {}, {}, {}, /*fits_lines=*/true, /*carries_custom_size=*/true},
  {S::Source,      "R_source",      &SR::source,      "MEDIASOURCE", R::TableWord,     li::kPaperSources},
  // The lines per page the printer takes.
  {S::Lpi,         "R_lpi",         &SR::lpi,         "FORMLINES",   R::NumberText,    {}, {}, {}, {5, 128}},
  {S::Copies,      "R_copies",      &SR::copies,      "COPIES",      R::NumberText,    {}, {}, {}, {1, 99}},
  {S::Orientation, "R_orientation", &SR::orientation, "ORIENTATION", R::CheckedWord,   {},
   "PORTRAIT", "LANDSCAPE", {}, /*fits_lines=*/true},
  {S::Papertype,   "R_papertype",   &SR::papertype,   "PAPERTYPE",   R::IndexZeroWord, li::kPaperTypes},
  {S::Typeface,    "R_typeface",    &SR::typeface,    "FONTNUMBER",  R::IndexNumber,   li::kTypefaces},
  {S::Symbol,      "R_symbol",      &SR::symbol,      "SYMSET",      R::TableWord,     li::kSymbolSets},
  {S::Pitch,       "R_pitch",       &SR::pitch,       "PITCH",       R::NumberText,    {}, {}, {},
   {0.44L, 99.99L}},
  {S::Point,       "R_point",       &SR::point,       "PTSIZE",      R::NumberText,    {}, {}, {},
   {4, 999.75L}},
  {S::Density,     "R_density",     &SR::density,     "DENSITY",     R::TableWord,     li::kDensities},
  {S::Economode,   "R_economode",   &SR::economode,   "ECONOMODE",   R::IndexZeroWord, li::kEconomodes},
}};
// clang-format on
}  // namespace table_rows

// In Setting order, which is also the order of Store all settings.
inline constexpr const auto& kSettingTable = table_rows::kRows;

constexpr const SettingRow& RowOf(Setting setting) {
  return kSettingTable[static_cast<std::size_t>(setting)];
}

static_assert(
    [] {
      for (std::size_t i = 0; i < kSettingTable.size(); ++i) {
        if (kSettingTable[i].setting != static_cast<Setting>(i)) return false;
      }
      return true;
    }(),
    "kSettingTable is indexed by Setting");

// The word of list entry `index`; empty outside the list.
constexpr std::string_view ItemWord(const SettingRow& row, std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= row.items.size()) return {};
  return row.items[static_cast<std::size_t>(index)].word;
}

}  // namespace zelora
