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

// A fixed list of PJL value words looked up by a list index. An index outside
// the table gives an empty text: the job is still built, with nothing after the
// equals sign.
class ValueTable {
 public:
  constexpr ValueTable(std::int32_t first_index, std::span<const std::string_view> words)
      : first_index_(first_index), words_(words) {}

  constexpr std::string_view Text(std::int32_t index) const {
    // 64-bit arithmetic so that no int32 index can overflow the subtraction.
    const std::int64_t position = std::int64_t{index} - first_index_;
    if (position < 0 || position >= static_cast<std::int64_t>(words_.size())) return {};
    return words_[static_cast<std::size_t>(position)];
  }

  constexpr std::int32_t FirstIndex() const { return first_index_; }
  constexpr std::int32_t LastIndex() const {
    return first_index_ + static_cast<std::int32_t>(words_.size()) - 1;
  }

 private:
  std::int32_t first_index_;
  std::span<const std::string_view> words_;
};

namespace value_words {
using namespace std::string_view_literals;

inline constexpr std::array kBaudRates = {"300"sv,  "600"sv,   "1200"sv,  "2400"sv,  "4800"sv,
                                          "9600"sv, "19200"sv, "38400"sv, "115200"sv};

// The paper table's words, without its last entry: the custom size has a job
// of its own.
inline constexpr auto kPaperSizes = [] {
  std::array<std::string_view, kPaperSizeCount - 1> words{};
  for (std::size_t i = 0; i < words.size(); ++i) words[i] = kPaperSizeTable[i].pjl_word;
  return words;
}();

inline constexpr std::array kPaperSources = {"AUTO"sv, "MANUAL"sv, "TRAY1"sv, "TRAY2"sv};

inline constexpr std::array kPowerSaveTimes = {"10"sv, "15"sv, "30"sv, "45"sv, "60"sv};

inline constexpr std::array kSymbolSets = {
    "ROMAN8"sv, "DESKTOP"sv, "ECMA94"sv, "MCTEXT"sv, "MATH8"sv,    "MSPUBL"sv,
    "PIFONT"sv, "PSMATH"sv,  "PSTEXT"sv, "VNINTL"sv, "VNMATH"sv,   "VNUS"sv,
    "WIN30"sv,  "WINL1"sv,   "WINL2"sv,  "WINL5"sv,  "SYMBOL"sv,   "WINGDING"sv,
    "LEGAL"sv,  "ISO4"sv,    "ISO6"sv,   "ISO11"sv,  "ISO15"sv,    "ISO17"sv,
    "ISO21"sv,  "ISO60"sv,   "ISO69"sv,  "ISOL2"sv,  "ISOL5"sv,    "PC8"sv,
    "PC8DN"sv,  "PC850"sv,   "PC852"sv,  "PC8TK"sv,  "CYRILLIC"sv, "PCCYRILLIC"sv};

inline constexpr std::array kDensities = {"1"sv, "2"sv};
}  // namespace value_words

// ComBaudrate: 0 "300" .. 8 "115200".
inline constexpr ValueTable kBaudRates{0, value_words::kBaudRates};
// ComPapersize: 0 "LETTER" .. 11 "C6"; entry 12 ("Others(mm)") has a job of its own.
inline constexpr ValueTable kPaperSizes{0, value_words::kPaperSizes};
// ComSource: 0 "AUTO" .. 3 "TRAY2".
inline constexpr ValueTable kPaperSources{0, value_words::kPaperSources};
// ComPowersave: 1 "10" .. 5 "60" minutes; index 0 means off and has no entry.
inline constexpr ValueTable kPowerSaveTimes{1, value_words::kPowerSaveTimes};
// ListSymbol: 0 "ROMAN8" .. 35 "PCCYRILLIC".
inline constexpr ValueTable kSymbolSets{0, value_words::kSymbolSets};
// GrpDensity: 0 medium "1", 1 darker "2".
inline constexpr ValueTable kDensities{0, value_words::kDensities};

}  // namespace zelora
