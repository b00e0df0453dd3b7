// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "control_values.h"

#include <algorithm>
#include <array>
#include <span>
#include <stdexcept>
#include <string>

#include "spin_field_layout.h"
#include "window_layout.h"

namespace zelora {
namespace {

// In the order of the Control enum.
constexpr std::array<std::string_view, kControlCount> kNames = {
    "ComBaudrate", "ComPowersave", "ComPapersize", "ComSource",   "GrpPapertype",  "ListTypeface",
    "ListSymbol",  "GrpDensity",   "GrpEconomode", "ChkAutocont", "ChkJamrecover", "ChkRobust",
    "BtnPortrait", "BtnLandscape", "SpinTimeout",  "SpinLpi",     "SpinCopies",    "RxSpinEdit1",
    "RxSpinEdit2", "SpinPitch",    "SpinPoint",    "Image2",      "Image3",        "BtnConfig",
    "BtnTestPrt",  "Gauge",
};
// A control added to the enum without its name here would get an empty one.
static_assert(std::ranges::none_of(kNames, &std::string_view::empty));

}  // namespace

std::string_view ControlName(Control control) {
  const auto index = static_cast<std::size_t>(control);
  return index < kNames.size() ? kNames[index] : std::string_view();
}

std::optional<Control> ControlNamed(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) return static_cast<Control>(i);
  }
  return std::nullopt;
}

namespace {

[[noreturn]] void WrongKind(Control control, const char* accessor) {
  throw std::logic_error(std::string(accessor) + " used on " + std::string(ControlName(control)));
}

bool HoldsIndex(ControlKind kind) {
  using enum ControlKind;
  return kind == PickList || kind == EditableList || kind == ListBox || kind == RadioGroup;
}

bool Checkable(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

}  // namespace

ControlValues::ControlValues(char decimal_separator)
    : left_(window_layout::kLeft), top_(window_layout::kTop) {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const auto control = static_cast<Control>(i);
    const ControlLayout& row = LayoutOf(control);
    states_[i].visible = !(row.state & kHidden);
    states_[i].enabled = !(row.state & kDisabled);
    if (row.kind == ControlKind::SpinField) {
      spins_[i].emplace(SpinFieldProperties(control),
                        SpinFieldInitialText(control, decimal_separator), decimal_separator);
    }
  }
}

void ControlValues::Shown(Control control) const {
  if (view_ != nullptr) view_->Show(control);
}

std::int32_t ControlValues::ItemIndex(Control control) const {
  if (!HoldsIndex(LayoutOf(control).kind)) WrongKind(control, "ItemIndex");
  return At(control).index;
}

void ControlValues::SetItemIndex(Control control, std::int32_t index) {
  TakeItemIndex(control, index);
  Shown(control);
}

void ControlValues::TakeItemIndex(Control control, std::int32_t index) {
  const ControlLayout& row = LayoutOf(control);
  if (!HoldsIndex(row.kind)) WrongKind(control, "SetItemIndex");
  const auto count = static_cast<std::int32_t>(row.items.size());
  // A list takes no index that names no entry; a radio group stays within
  // its buttons.
  At(control).index = row.kind == ControlKind::RadioGroup ? std::clamp(index, -1, count - 1)
                      : index >= 0 && index < count       ? index
                                                          : -1;
}

bool ControlValues::Checked(Control control) const {
  if (!Checkable(LayoutOf(control).kind)) WrongKind(control, "Checked");
  return At(control).checked;
}

void ControlValues::SetChecked(Control control, bool checked) {
  const bool was_checked = Checked(control);
  TakeChecked(control, checked);
  const ControlLayout& row = LayoutOf(control);
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const ControlLayout& other = LayoutOf(static_cast<Control>(i));
    if (&other == &row || (other.kind == row.kind && other.parent == row.parent && checked &&
                           row.kind == ControlKind::RadioButton)) {
      Shown(static_cast<Control>(i));
    }
  }
  if (checked && !was_checked && row.kind == ControlKind::RadioButton && view_ != nullptr) {
    view_->Click(control);
  }
}

void ControlValues::TakeChecked(Control control, bool checked) {
  const ControlLayout& row = LayoutOf(control);
  if (!Checkable(row.kind)) WrongKind(control, "SetChecked");
  if (checked && row.kind == ControlKind::RadioButton) {
    // The radio buttons of one parent are one group.
    for (std::size_t i = 0; i < kControlCount; ++i) {
      const ControlLayout& other = LayoutOf(static_cast<Control>(i));
      if (other.kind == ControlKind::RadioButton && other.parent == row.parent) {
        states_[i].checked = false;
      }
    }
  }
  At(control).checked = checked;
}

SpinField& ControlValues::Spin(Control control) {
  std::optional<SpinField>& spin = spins_[static_cast<std::size_t>(control)];
  if (!spin) WrongKind(control, "a spin-field accessor");
  return *spin;
}

long double ControlValues::SpinValue(Control control) const {
  return const_cast<ControlValues&>(*this).Spin(control).Value();
}

void ControlValues::SetSpinValue(Control control, long double value) {
  Spin(control).SetValue(value);
  Shown(control);
}

std::string ControlValues::SpinText(Control control) const {
  return const_cast<ControlValues&>(*this).Spin(control).Text();
}

bool ControlValues::Visible(Control control) const { return At(control).visible; }

void ControlValues::SetVisible(Control control, bool visible) {
  At(control).visible = visible;
  Shown(control);
}

bool ControlValues::Enabled(Control control) const { return At(control).enabled; }

void ControlValues::SetEnabled(Control control, bool enabled) {
  At(control).enabled = enabled;
  Shown(control);
}

std::int32_t ControlValues::WindowLeft() const {
  return view_ != nullptr ? view_->WindowLeft() : left_;
}

std::int32_t ControlValues::WindowTop() const {
  return view_ != nullptr ? view_->WindowTop() : top_;
}

void ControlValues::SetWindowLeft(std::int32_t left) {
  left_ = left;
  if (view_ != nullptr) view_->MoveWindow(left, view_->WindowTop());
}

void ControlValues::SetWindowTop(std::int32_t top) {
  top_ = top;
  if (view_ != nullptr) view_->MoveWindow(view_->WindowLeft(), top);
}

}  // namespace zelora
