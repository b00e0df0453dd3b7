// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "control_values.h"
#include "number_text.h"
#include "spin_field.h"
#include "spin_field_layout.h"

namespace zelora::testing {

// The window's controls without a window: list indices, checked states and
// visibility as plain values, the spin fields as real spin-field models. It
// starts as the window does right after creation in what the logic reads: no
// item chosen, nothing checked, the fields' creation texts, the gauge hidden.
//
// Indices are stored as given (the real lists cannot hold an index past their
// items; tests may still want to reach such values).
//
// `log` records every call in order, e.g. "SetItemIndex ComBaudrate 3",
// "SetSpinValue SpinLpi 64.5", "SpinValue SpinLpi", "SetChecked BtnPortrait 1",
// "BtnPortraitClick", "SetVisible Image2 1". Calls made by a click handler are
// logged after the click's own entry.
class FakeControls : public ControlValues {
 public:
  explicit FakeControls(char decimal_separator = '.') {
    for (std::size_t slot = Slot(Control::SpinTimeout); slot <= Slot(Control::SpinPoint); ++slot) {
      const auto control = static_cast<Control>(slot);
      spins_.emplace_back(SpinFieldProperties(control),
                          SpinFieldInitialText(control, decimal_separator), decimal_separator);
    }
    visible_.fill(true);
    enabled_.fill(true);
    index_.fill(-1);
    checked_.fill(false);
    visible_[Slot(Control::Gauge)] = false;
  }

  std::int32_t ItemIndex(Control control) const override {
    RequireIndexed(control, "ItemIndex");
    Log("ItemIndex", control);
    return index_[Slot(control)];
  }
  void SetItemIndex(Control control, std::int32_t index) override {
    RequireIndexed(control, "SetItemIndex");
    Log("SetItemIndex", control, std::to_string(index));
    index_[Slot(control)] = index;
  }

  bool Checked(Control control) const override {
    RequireCheckable(control, "Checked");
    Log("Checked", control);
    return checked_[Slot(control)];
  }
  // The two orientation buttons behave as radio buttons: checking one unchecks
  // the other and then runs its own click; checking a checked one does nothing.
  void SetChecked(Control control, bool checked) override {
    RequireCheckable(control, "SetChecked");
    Log("SetChecked", control, checked ? "1" : "0");
    const bool radio = control == Control::BtnPortrait || control == Control::BtnLandscape;
    if (!radio || !checked) {
      checked_[Slot(control)] = checked;
      return;
    }
    if (checked_[Slot(control)]) return;
    const Control other =
        control == Control::BtnPortrait ? Control::BtnLandscape : Control::BtnPortrait;
    checked_[Slot(other)] = false;
    checked_[Slot(control)] = true;
    if (control == Control::BtnPortrait) {
      BtnPortraitClick();
    } else {
      BtnLandscapeClick();
    }
  }

  long double SpinValue(Control control) const override {
    const std::size_t slot = SpinSlot(control, "SpinValue");
    Log("SpinValue", control);
    return spins_[slot].Value();
  }
  void SetSpinValue(Control control, long double value) override {
    const std::size_t slot = SpinSlot(control, "SetSpinValue");
    Log("SetSpinValue", control, GeneralNumberText(value, '.'));
    spins_[slot].SetValue(value);
  }
  std::string SpinText(Control control) const override {
    const std::size_t slot = SpinSlot(control, "SpinText");
    Log("SpinText", control);
    return spins_[slot].Text();
  }

  bool Visible(Control control) const override { return visible_[Slot(control)]; }
  void SetVisible(Control control, bool visible) override {
    Log("SetVisible", control, visible ? "1" : "0");
    visible_[Slot(control)] = visible;
  }
  bool Enabled(Control control) const override { return enabled_[Slot(control)]; }
  void SetEnabled(Control control, bool enabled) override {
    Log("SetEnabled", control, enabled ? "1" : "0");
    enabled_[Slot(control)] = enabled;
  }

  std::int32_t WindowLeft() const override { return left_; }
  std::int32_t WindowTop() const override { return top_; }
  void SetWindowLeft(std::int32_t left) override {
    log.push_back("SetWindowLeft " + std::to_string(left));
    left_ = left;
  }
  void SetWindowTop(std::int32_t top) override {
    log.push_back("SetWindowTop " + std::to_string(top));
    top_ = top;
  }

  // The spin-field model behind a spin control, for typing into it directly
  // (Spin(Control::SpinTimeout).SetText("500")) or stepping it.
  SpinField& Spin(Control control) { return spins_[SpinSlot(control, "Spin")]; }

  int portrait_clicks = 0;
  int landscape_clicks = 0;
  mutable std::vector<std::string> log;

 private:
  static std::size_t Slot(Control control) { return static_cast<std::size_t>(control); }

  static void Fail(Control control, const char* accessor) {
    throw std::logic_error(std::string(accessor) + " used on " + std::string(ControlName(control)));
  }
  static void RequireIndexed(Control control, const char* accessor) {
    if (control < Control::ComBaudrate || control > Control::GrpEconomode) Fail(control, accessor);
  }
  static void RequireCheckable(Control control, const char* accessor) {
    if (control < Control::ChkAutocont || control > Control::BtnLandscape) Fail(control, accessor);
  }
  static std::size_t SpinSlot(Control control, const char* accessor) {
    if (control < Control::SpinTimeout || control > Control::SpinPoint) Fail(control, accessor);
    return Slot(control) - Slot(Control::SpinTimeout);
  }

  void Log(const char* call, Control control, const std::string& argument = {}) const {
    std::string entry = std::string(call) + " " + std::string(ControlName(control));
    if (!argument.empty()) entry += " " + argument;
    log.push_back(std::move(entry));
  }

  void BtnPortraitClick() {
    log.push_back("BtnPortraitClick");
    ++portrait_clicks;
    SetVisible(Control::Image2, true);
    SetVisible(Control::Image3, false);
  }
  void BtnLandscapeClick() {
    log.push_back("BtnLandscapeClick");
    ++landscape_clicks;
    SetVisible(Control::Image2, false);
    SetVisible(Control::Image3, true);
  }

  std::vector<SpinField> spins_;
  std::array<std::int32_t, kControlCount> index_{};
  std::array<bool, kControlCount> checked_{};
  std::array<bool, kControlCount> visible_{};
  std::array<bool, kControlCount> enabled_{};
  std::int32_t left_ = 180;
  std::int32_t top_ = 97;
};

}  // namespace zelora::testing
