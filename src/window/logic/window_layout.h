// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "control_values.h"
#include "settings_record.h"

namespace zelora {

// The main window as data: every control with its place, tab order, stored
// state and texts. The window is built from these tables and nothing else, so
// a change to the look of the window is a change here.

enum class ControlKind {
  PageControl,    // tabbed pages
  StatusBar,      // panels along the bottom edge
  Timer,          // not a widget
  FlatButton,     // picture button that never takes the focus
  GroupBox,       // frame, with or without a caption
  Label,          // plain text
  ShadowedLabel,  // text with a light edge at its upper left
  PickList,       // drop-down list, choose an entry only
  EditableList,   // drop-down list that also takes typed text
  SpinField,      // numeric field with a spin button
  CheckBox,
  RadioButton,
  RadioGroup,  // one column of radio buttons in a captioned frame
  ListBox,     // single selection
  Gauge,       // progress bar with a percentage
  Panel,       // frame with a lowered bevel
  Picture,
};

// A text of the window in its Russian face, with the ID of the matching entry
// of the English caption table (0: the table has none).
struct LayoutText {
  std::string_view russian;
  int english_id = 0;
};

// Stored states; a control without them is visible and enabled.
inline constexpr unsigned kHidden = 1u << 0;
inline constexpr unsigned kDisabled = 1u << 1;

inline constexpr int kNoTabStop = -1;

struct ControlLayout {
  std::string_view name;
  ControlKind kind;
  std::string_view parent;  // "ZLR" for the window itself
  int left;
  int top;
  int width;
  int height;
  int tab_order;  // among the controls of the same parent, or kNoTabStop
  unsigned state;
  LayoutText caption;
  LayoutText hint;
  // The handler bound to the control's one event (click, change, timer):
  // buttons click, pick-only lists change on a user choice, list boxes click
  // on a user selection, radio buttons click when they become checked.
  std::string_view handler;
  std::span<const LayoutText> items;
  // The setting the control shows; a list has as many items as its row has
  // entries.
  std::optional<Setting> shows{};
};

// One tab of the page control and the controls on it, parents before their
// children, in creation order.
struct PageLayout {
  std::string_view name;
  LayoutText caption;
  std::span<const ControlLayout> controls;
};

struct StatusPanelLayout {
  LayoutText text;
  int width;                 // the last panel always reaches to the right edge
  bool shows_hints = false;  // the hint line: the hint of the control under the pointer
};

namespace window_layout {

inline constexpr std::string_view kWindowName = "ZLR";
inline constexpr std::string_view kCaption = "Zelora";
inline constexpr int kLeft = 180;
inline constexpr int kTop = 97;
inline constexpr int kClientWidth = 439;
inline constexpr int kClientHeight = 309;
// Stands in for an 8-point sans-serif at 96 dots per inch (text height 13);
// narrowed so that the captions fit the places made for them.
inline constexpr std::string_view kFontFamily = "DejaVu Sans";
inline constexpr int kFontPixelSize = 11;
inline constexpr int kFontStretch = 87;  // percent
inline constexpr int kListItemHeight = 13;
inline constexpr int kDropDownCount = 8;
inline constexpr int kTimer1Interval = 30000;  // ms
inline constexpr std::string_view kPageControl = "PageControl1";
inline constexpr std::string_view kStatusBar = "SBar";
inline constexpr std::string_view kTimer = "Timer1";
inline constexpr std::string_view kActivePage = "About";
// The about picture FormCreate loads, and the portrait picture.
inline constexpr std::string_view kAboutPicture = "Image1";
inline constexpr std::string_view kCreateHandler = "FormCreate";
// The gauge as stored: minimum, maximum, progress.
inline constexpr int kGaugeMinimum = 0;
inline constexpr int kGaugeMaximum = 100;
inline constexpr int kGaugeProgress = 0;

}  // namespace window_layout

// Controls that lie on the window itself (the page control included), in
// creation order.
std::span<const ControlLayout> WindowControls();

// The pages of PageControl1, in tab order.
std::span<const PageLayout> Pages();

std::span<const StatusPanelLayout> StatusPanels();
// The row of the control the logic knows as `control`; the window checks at
// start that every one has a row.
const ControlLayout& LayoutOf(Control control);
// The index of the panel that shows the hints.
int HintPanel();

// The English caption table: IDs 1..68; an empty view for any other ID.
std::string_view EnglishCaption(int id);
inline constexpr int kEnglishCaptionCount = 68;

}  // namespace zelora
