// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_catalogue.h"

#include <cstddef>

namespace zelora {

namespace {

using S = Setting;
using R = ValueRule;

// The settings-key value comes from the settings' own table.
constexpr CatalogueRow Row(Setting setting, std::string_view variable, ValueRule rule,
                           const ValueTable* table = nullptr, std::string_view first_word = {},
                           std::string_view other_word = {},
                           const AcceptedRange* accepted = nullptr) {
  const SettingPlace& place = PlaceOf(setting);
  return {setting, variable, rule, table, first_word, other_word, place.value_name, accepted};
}

constexpr std::array<CatalogueRow, kSettingCount> kCatalogue{{
    Row(S::Baudrate, "BAUDRATE", R::TableWord, &kBaudRates),
    Row(S::Timeout, "TIMEOUT", R::NumberText, nullptr, {}, {}, &kTimeoutRange),
    Row(S::Powersave, "POWERSAVE", R::PowersaveJob, &kPowerSaveTimes),
    Row(S::Autocont, "AUTOCONT", R::CheckedWord, nullptr, "ON", "OFF"),
    Row(S::Jamrecover, "JAMRECOVERY", R::CheckedWord, nullptr, "ON", "OFF"),
    Row(S::Robust, "ROBUST", R::CheckedWord, nullptr, "ON", "OFF"),
    Row(S::Papersize, "PAPER", R::PaperSizeJob, &kPaperSizes),
    Row(S::Source, "MEDIASOURCE", R::TableWord, &kPaperSources),
    Row(S::Lpi, "FORMLINES", R::NumberText),
    Row(S::Copies, "COPIES", R::NumberText),
    Row(S::Orientation, "ORIENTATION", R::CheckedWord, nullptr, "PORTRAIT", "LANDSCAPE"),
    Row(S::Papertype, "PAPERTYPE", R::IndexZeroWord, nullptr, "NORMAL", "THICK"),
    Row(S::Typeface, "FONTNUMBER", R::IndexNumber),
    Row(S::Symbol, "SYMSET", R::TableWord, &kSymbolSets),
    Row(S::Pitch, "PITCH", R::NumberText),
    Row(S::Point, "PTSIZE", R::NumberText),
    Row(S::Density, "DENSITY", R::TableWord, &kDensities),
    Row(S::Economode, "ECONOMODE", R::IndexZeroWord, nullptr, "OFF", "ON"),
}};

constexpr bool RowsInSettingOrder() {
  for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
    if (static_cast<std::size_t>(kCatalogue[i].setting) != i) return false;
  }
  return true;
}
static_assert(RowsInSettingOrder(), "catalogue rows must follow the Setting enum");

}  // namespace

const CatalogueRow& CatalogueRowFor(Setting setting) {
  return kCatalogue.at(static_cast<std::size_t>(setting));
}

}  // namespace zelora
