// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "paper_sizes.h"

namespace zelora {

// One entry of a list of the window: the text the list shows and the word the
// printer is told for it (empty when the setting's job does not use a word).
struct ListItem {
  std::string_view item;
  std::string_view word;
};

// A list's entries, looked up by list index. An index outside the list gives
// an empty word: the job is still built, with nothing after the equals sign.
class ValueTable {
 public:
  constexpr explicit ValueTable(std::span<const ListItem> items) : items_(items) {}

  constexpr std::string_view Text(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return {};
    return items_[static_cast<std::size_t>(index)].word;
  }

  // What the window's list shows, in list order.
  constexpr std::span<const ListItem> Items() const { return items_; }

 private:
  std::span<const ListItem> items_;
};

namespace list_items {

// clang-format off
inline constexpr ListItem kBaudRates[] = {
    {"300", "300"},     {"600", "600"},     {"1200", "1200"},   {"2400", "2400"},
    {"4800", "4800"},   {"9600", "9600"},   {"19200", "19200"}, {"38400", "38400"},
    {"115200", "115200"},
};

// The paper table without its last entry: the custom size has a job of its
// own.
inline constexpr auto kPaperSizes = [] {
  std::array<ListItem, kPaperSizeCount - 1> items{};
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i] = {kPaperSizeTable[i].item, kPaperSizeTable[i].pjl_word};
  }
  return items;
}();

inline constexpr ListItem kPaperSources[] = {
    {"Auto", "AUTO"}, {"Manual", "MANUAL"}, {"First Tray", "TRAY1"}, {"Second Tray", "TRAY2"},
};

// Off has a job of its own; the others give the time in minutes.
inline constexpr ListItem kPowerSaveTimes[] = {
    {"OFF", ""},      {"10 Min", "10"}, {"15 Min", "15"},
    {"30 Min", "30"}, {"45 Min", "45"}, {"60 Min", "60"},
};

inline constexpr ListItem kSymbolSets[] = {
    {"Roman-8", "ROMAN8"},                   {"DeskTop", "DESKTOP"},
    {"ECMA 94", "ECMA94"},                   {"Macintosh", "MCTEXT"},
    {"Math-8", "MATH8"},                     {"Microsoft Publishing", "MSPUBL"},
    {"PI Font", "PIFONT"},                   {"PS Math", "PSMATH"},
    {"PS Text", "PSTEXT"},                   {"Ventura International", "VNINTL"},
    {"Ventura Math", "VNMATH"},              {"Ventura US", "VNUS"},
    {"Windows 3.0 Latin 1", "WIN30"},        {"Windows 3.1 Latin 1", "WINL1"},
    {"Windows 3.1 Latin 2", "WINL2"},        {"Windows 3.1 Latin 5", "WINL5"},
    {"Symbol", "SYMBOL"},                    {"Wingding", "WINGDING"},
    {"Legal", "LEGAL"},                      {"ISO 4", "ISO4"},
    {"ISO 6", "ISO6"},                       {"ISO 11", "ISO11"},
    {"ISO 15", "ISO15"},                     {"ISO 17", "ISO17"},
    {"ISO 21", "ISO21"},                     {"ISO 60", "ISO60"},
    {"ISO 69", "ISO69"},                     {"ISO 8859/2 Latin 2", "ISOL2"},
    {"ISO 8859/2 Latin 5", "ISOL5"},         {"PC-8", "PC8"},
    {"PC-8 DN", "PC8DN"},                    {"PC-850", "PC850"},
    {"PC-852", "PC852"},                     {"PC-8 TK", "PC8TK"},
    {"ISO 8859/5 LatinCyrillic", "CYRILLIC"}, {"PC Cyrillic", "PCCYRILLIC"},
};

// The radio group's captions are the window's own, with their translations.
inline constexpr ListItem kDensities[] = {{"", "1"}, {"", "2"}};
// clang-format on

}  // namespace list_items

// ComBaudrate: 0 "300" .. 8 "115200".
inline constexpr ValueTable kBaudRates{list_items::kBaudRates};
// ComPapersize: 0 "LETTER" .. 11 "C6"; entry 12 ("Others(mm)") has a job of its own.
inline constexpr ValueTable kPaperSizes{list_items::kPaperSizes};
// ComSource: 0 "AUTO" .. 3 "TRAY2".
inline constexpr ValueTable kPaperSources{list_items::kPaperSources};
// ComPowersave: 1 "10" .. 5 "60" minutes; index 0 means off.
inline constexpr ValueTable kPowerSaveTimes{list_items::kPowerSaveTimes};
// ListSymbol: 0 "ROMAN8" .. 35 "PCCYRILLIC".
inline constexpr ValueTable kSymbolSets{list_items::kSymbolSets};
// GrpDensity: 0 medium "1", 1 darker "2".
inline constexpr ValueTable kDensities{list_items::kDensities};

}  // namespace zelora
