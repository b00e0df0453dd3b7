// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelora {

// Every control of the window that the toolkit-free logic reads or writes.
enum class Control {
  // drop-down lists, list boxes and radio groups (selected index, -1 = none)
  ComBaudrate,
  ComPowersave,
  ComPapersize,
  ComSource,
  GrpPapertype,
  ListTypeface,
  ListSymbol,
  GrpDensity,
  GrpEconomode,
  // check boxes and radio buttons (checked state)
  ChkAutocont,
  ChkJamrecover,
  ChkRobust,
  BtnPortrait,
  BtnLandscape,
  // spin fields (extended-precision values, worked out from their text)
  SpinTimeout,
  SpinLpi,
  SpinCopies,
  RxSpinEdit1,
  RxSpinEdit2,
  SpinPitch,
  SpinPoint,
  // controls whose visibility or enabling the logic changes
  Image2,
  Image3,
  BtnConfig,
  BtnTestPrt,
  Gauge,
};

// How many controls there are: Gauge is the last.
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::Gauge) + 1;

// The control's name in the window, e.g. "SpinLpi".
std::string_view ControlName(Control control);
// The control of that name, if there is one.
std::optional<Control> ControlNamed(std::string_view name);

// The values of the window's controls, as the logic sees them. The real window
// implements it on widgets; tests use a fake built on the spin-field model.
//
// Setting an index or a spin value in code never fires a change or click event,
// with one exception that mirrors the radio buttons: SetChecked(BtnPortrait or
// BtnLandscape, true) unchecks the other button and then runs the click handler
// of the one just checked (which shows its orientation picture); checking a
// button that is already checked does nothing.
class ControlValues {
 public:
  virtual ~ControlValues() = default;

  virtual std::int32_t ItemIndex(Control control) const = 0;
  virtual void SetItemIndex(Control control, std::int32_t index) = 0;

  virtual bool Checked(Control control) const = 0;
  virtual void SetChecked(Control control, bool checked) = 0;

  // Read value: not clamped, never changes the text. Set value: clamps and
  // formats through the field's own rules.
  virtual long double SpinValue(Control control) const = 0;
  virtual void SetSpinValue(Control control, long double value) = 0;
  virtual std::string SpinText(Control control) const = 0;

  virtual bool Visible(Control control) const = 0;
  virtual void SetVisible(Control control, bool visible) = 0;
  virtual bool Enabled(Control control) const = 0;
  virtual void SetEnabled(Control control, bool enabled) = 0;

  virtual std::int32_t WindowLeft() const = 0;
  virtual std::int32_t WindowTop() const = 0;
  virtual void SetWindowLeft(std::int32_t left) = 0;
  virtual void SetWindowTop(std::int32_t top) = 0;
};

}  // namespace zelora
