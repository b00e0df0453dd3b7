// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "spin_field.h"

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

// The values and states of the window's controls, without the window: the one
// model the logic works on, with the widgets' own rules (a list holds no index
// past its items, a radio group stays within its buttons, a radio button
// unchecks the others of its parent, a spin field clamps and formats). The
// window shows it and reports the user's edits to it; a control made later
// shows what it holds then. It starts as the layout stores the controls:
// nothing chosen or checked, the fields' creation texts, the stored states.
//
// Code never fires a change event; the one click it runs is a radio button's,
// when SetChecked checks it and it was not checked (the view runs it), as the
// user's click on it would.
class ControlValues {
 public:
  // The window that shows the model. Told after code changed a control, so
  // that its widget, if made, shows the control as the model holds it.
  class View {
   public:
    virtual ~View() = default;
    virtual void Show(Control control) = 0;
    // Runs the control's click handler.
    virtual void Click(Control control) = 0;
    // The window's place belongs to the window, which the user moves.
    virtual std::int32_t WindowLeft() const = 0;
    virtual std::int32_t WindowTop() const = 0;
    virtual void MoveWindow(std::int32_t left, std::int32_t top) = 0;
  };

  // decimal_separator: the user's, for the spin fields' texts.
  explicit ControlValues(char decimal_separator = '.');
  ControlValues(const ControlValues&) = delete;
  ControlValues& operator=(const ControlValues&) = delete;

  // The window, once it is there; it must outlive the model or be unset.
  void SetView(View* view) { view_ = view; }

  std::int32_t ItemIndex(Control control) const;
  void SetItemIndex(Control control, std::int32_t index);

  bool Checked(Control control) const;
  void SetChecked(Control control, bool checked);

  // Read value: not clamped, never changes the text. Set value: clamps and
  // formats through the field's own rules.
  long double SpinValue(Control control) const;
  void SetSpinValue(Control control, long double value);
  std::string SpinText(Control control) const;
  // The field itself, which its widget shows and types into.
  SpinField& Spin(Control control);

  bool Visible(Control control) const;
  void SetVisible(Control control, bool visible);
  bool Enabled(Control control) const;
  void SetEnabled(Control control, bool enabled);

  std::int32_t WindowLeft() const;
  std::int32_t WindowTop() const;
  void SetWindowLeft(std::int32_t left);
  void SetWindowTop(std::int32_t top);

  // The user's edits, from the widgets: taken as the widget has them, with
  // nothing shown back.
  void TakeItemIndex(Control control, std::int32_t index);
  void TakeChecked(Control control, bool checked);

 private:
  struct State {
    std::int32_t index = -1;
    bool checked = false;
    bool visible = true;
    bool enabled = true;
  };
  State& At(Control control) { return states_[static_cast<std::size_t>(control)]; }
  const State& At(Control control) const { return states_[static_cast<std::size_t>(control)]; }
  void Shown(Control control) const;

  std::array<State, kControlCount> states_{};
  std::array<std::optional<SpinField>, kControlCount> spins_;
  std::int32_t left_;
  std::int32_t top_;
  View* view_ = nullptr;
};

}  // namespace zelora
