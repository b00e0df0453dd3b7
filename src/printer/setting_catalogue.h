// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

#include "paper_sizes.h"
#include "settings_record.h"
#include "settings_store.h"
#include "value_tables.h"

namespace zelora {

// How a setting's value text is formed from its value.
enum class ValueRule {
  TableWord,      // the table's word for the list index
  NumberText,     // general number text of the spin value
  CheckedWord,    // first_word when checked, other_word otherwise
  IndexZeroWord,  // first_word for list index 0, other_word for any other index
  IndexNumber,    // decimal text of the list index (-1 when nothing is selected)
  PowersaveJob,   // off job for index 0, otherwise on with the table's time
  PaperSizeJob,   // table word, or the custom-size job from kCustomPaperIndex on
};

// A spin value the printer must never be told when it lies outside [min, max];
// the record's value is to be put back instead.
struct AcceptedRange {
  long double min;
  long double max;
  long double SettingsRecord::*restore_from;
};

// One printer setting: what the printer calls it, how its value text is
// formed, and where the settings key keeps it (value name as in
// kSettingPlaces).
struct CatalogueRow {
  Setting setting;
  std::string_view variable;  // PJL variable, as in "@PJL DEFAULT <variable>="
  ValueRule rule;
  const ValueTable* table = nullptr;  // TableWord, PowersaveJob, PaperSizeJob
  std::string_view first_word{};      // CheckedWord, IndexZeroWord
  std::string_view other_word{};      // CheckedWord, IndexZeroWord
  std::string_view value_name{};      // settings-key value, "R_..."
  const AcceptedRange* accepted = nullptr;
};

// "Others(mm)" and any index after it in ComPapersize.
inline constexpr std::int32_t kCustomPaperIndex = static_cast<std::int32_t>(kPaperSizeCount) - 1;

// The range a job time-out must lie in to be sent, and so the range of
// SpinTimeout.
inline constexpr AcceptedRange kTimeoutRange{10, 300, &SettingsRecord::timeout};

// The setting's row.
const CatalogueRow& CatalogueRowFor(Setting setting);

}  // namespace zelora
