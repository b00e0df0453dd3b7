#include "printer/setting_catalogue.h"

#include <cstddef>

namespace zelora {

namespace {

using S = Setting;
using C = Control;
using R = ValueRule;

constexpr std::array<CatalogueRow, kSettingCount> kCatalogue{{
    {S::Baudrate, C::ComBaudrate, "BAUDRATE", R::TableWord, &kBaudRates, {}, {}, "R_baudrate"},
    {S::Timeout,
     C::SpinTimeout,
     "TIMEOUT",
     R::NumberText,
     nullptr,
     {},
     {},
     "R_timeout",
     &kTimeoutRange},
    {S::Powersave,
     C::ComPowersave,
     "POWERSAVE",
     R::PowersaveJob,
     &kPowerSaveTimes,
     {},
     {},
     "R_powersave"},
    {S::Autocont, C::ChkAutocont, "AUTOCONT", R::CheckedWord, nullptr, "ON", "OFF", "R_autocont"},
    {S::Jamrecover, C::ChkJamrecover, "JAMRECOVERY", R::CheckedWord, nullptr, "ON", "OFF",
     "R_jamrecover"},
    {S::Robust, C::ChkRobust, "ROBUST", R::CheckedWord, nullptr, "ON", "OFF", "R_robust"},
    {S::Papersize, C::ComPapersize, "PAPER", R::PaperSizeJob, &kPaperSizes, {}, {}, "R_papersize"},
    {S::Source, C::ComSource, "MEDIASOURCE", R::TableWord, &kPaperSources, {}, {}, "R_source"},
    {S::Lpi, C::SpinLpi, "FORMLINES", R::NumberText, nullptr, {}, {}, "R_lpi"},
    {S::Copies, C::SpinCopies, "COPIES", R::NumberText, nullptr, {}, {}, "R_copies"},
    {S::Orientation, C::BtnPortrait, "ORIENTATION", R::CheckedWord, nullptr, "PORTRAIT",
     "LANDSCAPE", "R_orientation"},
    {S::Papertype, C::GrpPapertype, "PAPERTYPE", R::IndexZeroWord, nullptr, "NORMAL", "THICK",
     "R_papertype"},
    {S::Typeface, C::ListTypeface, "FONTNUMBER", R::IndexNumber, nullptr, {}, {}, "R_typeface"},
    {S::Symbol, C::ListSymbol, "SYMSET", R::TableWord, &kSymbolSets, {}, {}, "R_symbol"},
    {S::Pitch, C::SpinPitch, "PITCH", R::NumberText, nullptr, {}, {}, "R_pitch"},
    {S::Point, C::SpinPoint, "PTSIZE", R::NumberText, nullptr, {}, {}, "R_point"},
    {S::Density, C::GrpDensity, "DENSITY", R::TableWord, &kDensities, {}, {}, "R_density"},
    {S::Economode, C::GrpEconomode, "ECONOMODE", R::IndexZeroWord, nullptr, "OFF", "ON",
     "R_economode"},
}};

constexpr bool RowsInSettingOrder() {
  for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
    if (static_cast<std::size_t>(kCatalogue[i].setting) != i) return false;
  }
  return true;
}
static_assert(RowsInSettingOrder(), "catalogue rows must follow the Setting enum");

}  // namespace

const std::array<CatalogueRow, kSettingCount>& SettingCatalogue() { return kCatalogue; }

const CatalogueRow& CatalogueRowFor(Setting setting) {
  return kCatalogue.at(static_cast<std::size_t>(setting));
}

}  // namespace zelora
