// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setting_words.h"

#include <algorithm>
#include <cctype>
#include <span>
#include <stdexcept>

#include "control_transfer.h"
#include "number_text.h"
#include "spin_field_layout.h"
#include "window_layout.h"

namespace zelora {
namespace {

std::string EnglishText(const LayoutText& text) {
  const std::string_view english = EnglishCaption(text.english_id);
  std::string shown(english.empty() ? text.russian : english);
  while (!shown.empty() && shown.back() == ' ') shown.pop_back();
  return shown;
}

// The kind of value a setting holds, from its record field.
enum class Kind { kList, kOnOff, kNumber };
Kind KindOf(const NamedValue& named) {
  if (!named.setting) return Kind::kNumber;
  const RecordField& field = RowOf(*named.setting).field;
  if (std::holds_alternative<std::int32_t SettingsRecord::*>(field)) return Kind::kList;
  if (std::holds_alternative<bool SettingsRecord::*>(field)) return Kind::kOnOff;
  return Kind::kNumber;
}

std::optional<std::int32_t> ListIndex(const NamedValue& named, std::string_view text) {
  const SettingRow& row = RowOf(*named.setting);
  const std::span<const LayoutText> items = LayoutOf(named.control).items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto index = static_cast<std::int32_t>(i);
    if (SameWord(ItemWord(row, index), text) || SameWord(EnglishText(items[i]), text) ||
        SameWord(items[i].russian, text)) {
      return index;
    }
  }
  // The printer is told a typeface by its number.
  if (row.rule == ValueRule::IndexNumber && !text.empty() &&
      std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; }) && text.size() < 4) {
    const int index = std::stoi(std::string(text));
    if (index < static_cast<int>(items.size())) return index;
  }
  return std::nullopt;
}

// The two words of a check box or of the orientation: on (portrait) first.
std::pair<std::string_view, std::string_view> OnOffWords(const NamedValue& named) {
  const SettingRow& row = RowOf(*named.setting);
  return {row.on_word, row.off_word};
}

}  // namespace

bool SameWord(std::string_view a, std::string_view b) {
  const auto trim = [](std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return s;
  };
  a = trim(a);
  b = trim(b);
  return !a.empty() && std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

const std::vector<NamedValue>& NamedValues() {
  static const std::vector<NamedValue> values = [] {
    std::vector<NamedValue> all;
    for (const SettingRow& row : kSettingTable) {
      std::string name(row.value_name.substr(2));  // "R_"
      all.push_back({std::move(name), row.setting, ControlOf(row.setting)});
    }
    all.push_back({"width", std::nullopt, kCustomWidthControl});
    all.push_back({"height", std::nullopt, kCustomHeightControl});
    return all;
  }();
  return values;
}

const NamedValue* FindNamed(std::string_view name) {
  for (const NamedValue& named : NamedValues()) {
    if (SameWord(named.name, name) ||
        (named.setting && SameWord(RowOf(*named.setting).variable, name))) {
      return &named;
    }
  }
  return nullptr;
}

std::optional<Edit> ParseEdit(std::string_view assignment, std::string& why) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string_view::npos) {
    why = "'" + std::string(assignment) + "' is not NAME=VALUE";
    return std::nullopt;
  }
  const std::string_view name = assignment.substr(0, equals);
  const std::string text(assignment.substr(equals + 1));
  const NamedValue* named = FindNamed(name);
  if (named == nullptr) {
    why = "no setting is called '" + std::string(name) + "'; `zeloractl show` lists them";
    return std::nullopt;
  }
  const std::string refused = named->name + "=" + text + " refused: ";
  switch (KindOf(*named)) {
    case Kind::kList: {
      if (ListIndex(*named, text)) return Edit{named, text};
      const SettingRow& row = RowOf(*named->setting);
      const std::span<const LayoutText> items = LayoutOf(named->control).items;
      why = refused + "one of ";
      for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string_view word = ItemWord(row, static_cast<std::int32_t>(i));
        why += (i == 0 ? "" : ", ") + (word.empty() || row.rule == ValueRule::IndexNumber
                                           ? EnglishText(items[i])
                                           : std::string(word));
        if (row.rule == ValueRule::IndexNumber) why += " (" + std::to_string(i) + ")";
      }
      return std::nullopt;
    }
    case Kind::kOnOff: {
      const auto [on, off] = OnOffWords(*named);
      if (SameWord(on, text) || SameWord(off, text)) return Edit{named, text};
      why = refused + std::string(on) + " or " + std::string(off);
      return std::nullopt;
    }
    case Kind::kNumber:
      break;
  }
  const SpinField field(SpinFieldProperties(named->control), text, '.');
  const SpinField::Properties& range = field.properties();
  long double value = 0;
  if (!field.ParseText(text, value) || value < range.min_value || value > range.max_value) {
    why = refused +
          (range.value_type == SpinField::ValueType::Integer ? "a whole number" : "a number") +
          " from " + GeneralNumberText(range.min_value, '.') + " to " +
          GeneralNumberText(range.max_value, '.');
    return std::nullopt;
  }
  return Edit{named, text};
}

void Edit::ApplyTo(ControlValues& controls) const {
  switch (KindOf(*named)) {
    case Kind::kList:
      controls.SetItemIndex(named->control, *ListIndex(*named, text));
      break;
    case Kind::kOnOff: {
      const bool on = SameWord(OnOffWords(*named).first, text);
      if (named->setting == Setting::Orientation) {
        ApplyOrientation(on, controls);
      } else {
        controls.SetChecked(named->control, on);
      }
      break;
    }
    case Kind::kNumber:
      // As typed into the field: the window reads the same value from it.
      controls.Spin(named->control).SetText(text);
      break;
  }
}

std::string ShownWord(const NamedValue& named, const ControlValues& controls) {
  if (KindOf(named) != Kind::kList) return {};
  const SettingRow& row = RowOf(*named.setting);
  const std::int32_t index = controls.ItemIndex(named.control);
  if (row.rule == ValueRule::IndexNumber) return index < 0 ? "" : std::to_string(index);
  return std::string(ItemWord(row, index));
}

std::string ShownValue(const NamedValue& named, const ControlValues& controls) {
  switch (KindOf(named)) {
    case Kind::kList: {
      const std::int32_t index = controls.ItemIndex(named.control);
      if (index < 0) return "(none)";
      return EnglishText(LayoutOf(named.control).items[static_cast<std::size_t>(index)]);
    }
    case Kind::kOnOff: {
      const auto [on, off] = OnOffWords(named);
      return std::string(controls.Checked(named.control) ? on : off);
    }
    case Kind::kNumber:
      break;
  }
  return controls.SpinText(named.control);
}

}  // namespace zelora
