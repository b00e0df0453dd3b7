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

// One entry of a setting's list or radio group: the text shown in the Russian
// face, the English caption's ID (0: the same text in both faces), and the
// word the printer is told for it (empty when its job uses none).
struct ListItem {
  std::string_view item;
  int english_id = 0;
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
};

// "Others(mm)" and any index after it in the paper-size list.
inline constexpr std::int32_t kCustomPaperIndex = static_cast<std::int32_t>(kPaperSizeCount) - 1;

namespace list_items {

// clang-format off
inline constexpr ListItem kBaudRates[] = {
    {"300", 0, "300"},     {"600", 0, "600"},     {"1200", 0, "1200"},   {"2400", 0, "2400"},
    {"4800", 0, "4800"},   {"9600", 0, "9600"},   {"19200", 0, "19200"}, {"38400", 0, "38400"},
    {"115200", 0, "115200"},
};

// Off has a job of its own; the others give the time in minutes.
inline constexpr ListItem kPowerSaveTimes[] = {
    {"OFF", 0, ""},      {"10 Min", 0, "10"}, {"15 Min", 0, "15"},
    {"30 Min", 0, "30"}, {"45 Min", 0, "45"}, {"60 Min", 0, "60"},
};

// The paper table's sizes; the custom size, last, has a job of its own.
inline constexpr auto kPaperSizes = [] {
  std::array<ListItem, kPaperSizeCount> items{};
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i] = {kPaperSizeTable[i].item, 0, kPaperSizeTable[i].pjl_word};
  }
  return items;
}();

inline constexpr ListItem kPaperSources[] = {
    {"Auto", 0, "AUTO"}, {"Manual", 0, "MANUAL"}, {"First Tray", 0, "TRAY1"},
    {"Second Tray", 0, "TRAY2"},
};

inline constexpr ListItem kPaperTypes[] = {{"Normal Paper", 20, "NORMAL"}, {"Envelope", 21, "THICK"}};

inline constexpr ListItem kTypefaces[] = {
    {"Courier SWC Upright Medium"},         {"Courier SWC Upright Bold"},
    {"Courier SWC Italic Medium"},          {"Courier SWC Italic Bold"},
    {"Letter Gothic Upright Medium"},       {"Letter Gothic Upright Bold"},
    {"Letter Gothic Italic Medium"},        {"Dutch801 SWC Upright Medium"},
    {"Dutch801 SWC Upright Bold"},          {"Dutch801 SWC Italic Medium"},
    {"Dutch801 SWC Italic Bold"},           {"ZapfHumst Dm SWC Upright Medium"},
    {"ZapfHumst Dm SWC Upright Bold"},      {"ZapfHumst Dm SWC Italic Medium"},
    {"ZapfHumst Dm SWC Italic Bold"},       {"Ribbon 131 SWC Italic Medium"},
    {"Clarendon SWC Upright Bold"},         {"Swiss742 Upright Medium"},
    {"Swiss742 Upright Bold"},              {"Swiss742 Italic Medium"},
    {"Swiss742 Italic Bold"},               {"Swiss742 CN Upright Medium"},
    {"Swiss742 CN Upright Bold"},           {"Swiss742 CN Italic Medium"},
    {"Swiss742 CN Italic Bold"},            {"Incised901 SWC Upright Medium"},
    {"Incised901 SWC Upright Bold"},        {"Incised901 SWC Italic Medium"},
    {"OrigGaramond SWC Upright Medium"},    {"OrigGaramond SWC Upright Bold"},
    {"OrigGaramond SWC Italic Medium"},     {"OrigGaramond SWC Italic Bold"},
    {"Audrey Two SWC Upright Medium"},      {"Flareserif821 SWC Upright SBold"},
    {"Flareserif821 SWC Upright EBold"},    {"Swiss SWM Upright Medium"},
    {"Swiss SWM Upright Bold"},             {"Swiss SWM Italic Medium"},
    {"Swiss SWM Italic Bold"},              {"Dutch SWM Upright Medium"},
    {"Dutch SWM Upright Bold"},             {"Dutch SWM Italic Medium"},
    {"Dutch SWM Italic Bold"},              {"Symbol"},
    {"Wingding"},                           {"Line Printer Upright Medium Roman-8"},
    {"Line Printer Upright Medium ECMA94"}, {"Line Printer Upright Medium PC-8"},
    {"Line Printer Upright Medium PC-8 DN"},{"Line Printer Upright Medium PC-850"},
    {"LIne Printer Upright Medium Legal"},
};

inline constexpr ListItem kSymbolSets[] = {
    {"Roman-8", 0, "ROMAN8"},                   {"DeskTop", 0, "DESKTOP"},
    {"ECMA 94", 0, "ECMA94"},                   {"Macintosh", 0, "MCTEXT"},
    {"Math-8", 0, "MATH8"},                     {"Microsoft Publishing", 0, "MSPUBL"},
    {"PI Font", 0, "PIFONT"},                   {"PS Math", 0, "PSMATH"},
    {"PS Text", 0, "PSTEXT"},                   {"Ventura International", 0, "VNINTL"},
    {"Ventura Math", 0, "VNMATH"},              {"Ventura US", 0, "VNUS"},
    {"Windows 3.0 Latin 1", 0, "WIN30"},        {"Windows 3.1 Latin 1", 0, "WINL1"},
    {"Windows 3.1 Latin 2", 0, "WINL2"},        {"Windows 3.1 Latin 5", 0, "WINL5"},
    {"Symbol", 0, "SYMBOL"},                    {"Wingding", 0, "WINGDING"},
    {"Legal", 0, "LEGAL"},                      {"ISO 4", 0, "ISO4"},
    {"ISO 6", 0, "ISO6"},                       {"ISO 11", 0, "ISO11"},
    {"ISO 15", 0, "ISO15"},                     {"ISO 17", 0, "ISO17"},
    {"ISO 21", 0, "ISO21"},                     {"ISO 60", 0, "ISO60"},
    {"ISO 69", 0, "ISO69"},                     {"ISO 8859/2 Latin 2", 0, "ISOL2"},
    {"ISO 8859/2 Latin 5", 0, "ISOL5"},         {"PC-8", 0, "PC8"},
    {"PC-8 DN", 0, "PC8DN"},                    {"PC-850", 0, "PC850"},
    {"PC-852", 0, "PC852"},                     {"PC-8 TK", 0, "PC8TK"},
    {"ISO 8859/5 LatinCyrillic", 0, "CYRILLIC"}, {"PC Cyrillic", 0, "PCCYRILLIC"},
};

inline constexpr ListItem kDensities[] = {{"Средняя", 28, "1"}, {"Темнее ", 29, "2"}};
inline constexpr ListItem kEconomodes[] = {{"ВЫКЛ", 31, "OFF"}, {"ВКЛ", 32, "ON"}};
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
  {S::Papersize,   "R_papersize",   &SR::papersize,   "PAPER",       R::PaperSizeJob,  li::kPaperSizes},
  {S::Source,      "R_source",      &SR::source,      "MEDIASOURCE", R::TableWord,     li::kPaperSources},
  // The lines per page the printer takes.
  {S::Lpi,         "R_lpi",         &SR::lpi,         "FORMLINES",   R::NumberText,    {}, {}, {}, {5, 128}},
  {S::Copies,      "R_copies",      &SR::copies,      "COPIES",      R::NumberText,    {}, {}, {}, {1, 99}},
  {S::Orientation, "R_orientation", &SR::orientation, "ORIENTATION", R::CheckedWord,   {},
   "PORTRAIT", "LANDSCAPE"},
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
