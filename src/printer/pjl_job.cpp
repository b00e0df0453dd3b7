// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjl_job.h"

#include <variant>

#include "number_text.h"
#include "setting_table.h"

namespace zelora {

namespace {

constexpr std::string_view kPowersaveOnPrefix =
    "\033%-12345X@PJL DEFAULT POWERSAVE=ON\r\n@PJL DEFAULT POWERSAVETIME=";
constexpr std::string_view kCustomPaperPrefix = "\033%-12345X@PJL DEFAULT PAPER=OTHERS WIDTH=";
constexpr std::string_view kCustomHeightWord = " HEIGHT=";

// UEL "@PJL DEFAULT <variable>=": the fixed start of a setting job.
std::string DefaultPrefix(std::string_view variable) {
  std::string prefix;
  prefix.reserve(kUel.size() + 13 + variable.size() + 1);
  prefix.append(kUel).append("@PJL DEFAULT ").append(variable).append("=");
  return prefix;
}

// prefix, value text, then CR, LF and the closing UEL.
std::string CloseJob(std::string_view prefix, std::string_view value_text) {
  std::string job;
  job.reserve(prefix.size() + value_text.size() + 2 + kUel.size());
  job.append(prefix).append(value_text).append("\r\n").append(kUel);
  return job;
}

std::int32_t Index(const SettingValue& value) { return std::get<std::int32_t>(value); }

// The printer's number syntax, not the user's.
std::string PjlNumber(long double value) { return GeneralNumberText(value, '.'); }

}  // namespace

std::string SettingJob(std::string_view variable, std::string_view value_text) {
  return CloseJob(DefaultPrefix(variable), value_text);
}

std::string PowersaveJob(std::int32_t index) {
  if (index == 0) return SettingJob("POWERSAVE", "OFF");
  return CloseJob(kPowersaveOnPrefix, ItemWord(RowOf(Setting::Powersave), index));
}

std::string CustomPaperJob(std::string_view width_text, std::string_view height_text) {
  std::string prefix(kCustomPaperPrefix);
  prefix.append(width_text).append(kCustomHeightWord);
  return CloseJob(prefix, height_text);
}

std::string ValueText(Setting setting, const SettingValue& value) {
  const SettingRow& row = RowOf(setting);
  switch (row.rule) {
    case ValueRule::TableWord:
    case ValueRule::PaperSizeJob:
    case ValueRule::PowersaveJob:
      return std::string(ItemWord(row, Index(value)));
    case ValueRule::NumberText:
      return PjlNumber(std::get<long double>(value));
    case ValueRule::CheckedWord:
      return std::string(std::get<bool>(value) ? row.on_word : row.off_word);
    case ValueRule::IndexZeroWord:
      return std::string(ItemWord(row, Index(value) == 0 ? 0 : 1));
    case ValueRule::IndexNumber:
      return std::to_string(Index(value));
  }
  return {};
}

std::string BuildJob(Setting setting, const SettingValue& value, const CustomSize& custom) {
  const SettingRow& row = RowOf(setting);
  // A list index that names no entry (a damaged settings file, no selection)
  // would tell the printer an empty or made-up value.
  if (!row.items.empty()) {
    const std::int32_t index = Index(value);
    const bool custom_size = row.rule == ValueRule::PaperSizeJob && index >= kCustomPaperIndex;
    if (index < 0 || (!custom_size && static_cast<std::size_t>(index) >= row.items.size())) {
      return {};
    }
  }
  if (row.rule == ValueRule::PowersaveJob) {
    return PowersaveJob(Index(value));
  }
  if (row.rule == ValueRule::PaperSizeJob && Index(value) >= kCustomPaperIndex) {
    return CustomPaperJob(PjlNumber(custom.width), PjlNumber(custom.height));
  }
  return SettingJob(row.variable, ValueText(setting, value));
}

}  // namespace zelora
