// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "control_values.h"
#include "layout_scale.h"
#include "port_value.h"
#include "settings_controller.h"
#include "settings_record.h"
#include "test_pages.h"
#include "window_layout.h"
#include "window_seams.h"

class QTabWidget;
class QTimer;

namespace zelora {

class HelpEngine;
class HintHandler;
class SettingsStore;
class StatusBar;

// The main window "ZLR": built from the window layout tables, it owns every
// control and the settings record, and gives the toolkit-free logic the
// values of its controls. Each control carries its hint in the dynamic
// property "hint" (for the hint line; there are no pop-up tips) and, when it
// is a tab stop, its tab order among its siblings in "tabOrder".
// The controls of a page are made when the page first shows, or when code
// first asks for one of them, and a control stored hidden only when it is to
// be shown: start-up makes only what the first paint shows. The values live
// in the window's ControlValues, which a control shows once it is made.
class TZLR : public QWidget, private ControlValues::View, public BusyLockout, public GaugeProgress {
  Q_OBJECT
 public:
  // Builds the window in the states the layout stores; FormCreate then loads
  // the stored settings into it. It sends to `port`, which the settings choose
  // at start-up and by Reset, and shows its boxes through `boxes`; both must
  // outlive the window.
  TZLR(SettingsStore& store, SelectablePort& port, Boxes& boxes, QWidget* parent = nullptr);
  // Tells the help engine to quit when help was used.
  ~TZLR() override;

  // The help engine BtnHelpClick hands the help file to; it must outlive the
  // window.
  void SetHelpEngine(HelpEngine& help) { help_ = &help; }

  // Enables SpinPitch for the fixed-pitch faces (and no selection), SpinPoint
  // for the scalable faces 7-44, neither for the line-printer faces; run at
  // start-up, on a typeface click and after a reload.
  void ApplyTypefaceRule();
  // Shows the custom width and height fields exactly for "Others(mm)".
  void ShowCustomSize();

  // Program start: runs FormCreate, showing an error that ends it early in
  // the exception box, and shows the window in whatever state it reached.
  void Open();

  // The window's font, its pixel height scaled to the primary screen's
  // logical dots per inch.
  static QFont WindowFont();

  // The look the window is laid out for, application-wide because pop-up
  // lists are windows of their own: the window's font, and a classic 3D style
  // and palette whose drop-down lists honour the 8-entry limit and rows of
  // the font's height.
  static void ApplyApplicationLook();

  // A control of the layout by its name (pages included); nullptr if none.
  // Makes the control, and its page, if they are not made yet.
  QWidget* FindControl(std::string_view name) const;

  // The values and states of the controls, which the widgets show.
  ControlValues& Values() { return values_; }
  const ControlValues& Values() const { return values_; }

  // BusyLockout and GaugeProgress on the window, Timer1 and Gauge.
  void SetHourglass(bool busy) override;
  void StartTimer() override;
  void StopTimer() override;
  void SetRange(std::int64_t maximum) override;
  void SetProgress(std::int64_t progress) override;

 public slots:
  // Start-up, under the hourglass: loads the about picture and the stored
  // settings (moving the window to the stored position, or onto the primary
  // screen when its title bar would be on no screen), shows the custom-size
  // fields for "Others(mm)", applies the typeface rule, shows the Printer page
  // and installs the hint line. An error passes to the caller and leaves the
  // remaining steps undone.
  void FormCreate();

  void BtnApplyClick();
  void BtnDefaultClick();
  void BtnResetClick();
  void BtnFormfeedClick();
  void BtnHelpClick();
  void BtnExitClick();
  void ComPapersizeChange();
  void BtnPortraitClick();
  void BtnLandscapeClick();
  void ListTypefaceClick();
  void BtnConfigClick();
  void BtnTestPrtClick();
  void Timer1Timer();

 protected:
  // Makes a page's controls as it first shows.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using Handler = void (TZLR::*)();
  static Handler HandlerNamed(std::string_view name);

  // The controls, pages and tab order of the layout.
  void Build();

  // `page` is the page the control lies on; nullptr for the window itself.
  void CreateControl(const ControlLayout& layout, const PageLayout* page);
  // The controls of Pages()[page], once, but those left out until asked for.
  void BuildPage(std::size_t page);
  // Those controls of `page` that `which` picks; then the values kept for
  // them.
  void Make(const PageLayout& page, const std::function<bool(const ControlLayout&)>& which);
  // Where the layout has the control `name`: its row (nullptr if none) and
  // its page (nullopt for the window's own controls). Every Control has a
  // row: the window checks when it is built.
  struct Place {
    const ControlLayout* row = nullptr;
    std::optional<std::size_t> page;
  };
  static Place Locate(std::string_view name);

  // ControlValues::View: the widget of a control shows the model.
  void Show(Control control) override;
  void Click(Control control) override;
  std::int32_t WindowLeft() const override { return x(); }
  std::int32_t WindowTop() const override { return y(); }
  void MoveWindow(std::int32_t left, std::int32_t top) override { move(left, top); }
  // The control's value as the model holds it, into its widget.
  void ShowValue(Control control, QWidget& widget);
  // The user's edits of a control's widget, into the model.
  void TakeEdits(Control control, QWidget& widget);

  void BindHandler(QObject* sender, ControlKind kind, std::string_view handler);
  void SetTabOrders();
  void CollectTabStops(std::string_view container, std::vector<QWidget*>& chain) const;
  QWidget* Widget(Control control) const;
  void LoadAboutPicture();
  // Hands the kept about picture to its label, once the label is made.
  void GiveAboutPicture();
  void KeepTitleBarReachable();

  SettingsStore& store_;
  Boxes& boxes_;
  SettingsRecord record_;
  ControlValues values_;
  SettingsController controller_;
  TestPages test_pages_;
  // The gauge counts in ints; a longer file is shown in steps of this many
  // bytes.
  std::int64_t gauge_step_ = 1;
  LayoutScale scale_;
  QHash<QString, QWidget*> named_;
  std::array<QWidget*, kControlCount> controls_{};
  std::vector<QWidget*> pages_;
  std::vector<bool> page_built_;
  // The about picture start-up loaded while the About page was not made, as
  // read: a quarter of the size of the screen-ready pixmap made from it.
  QImage kept_about_picture_;
  QTabWidget* page_control_ = nullptr;
  StatusBar* status_bar_ = nullptr;
  QTimer* timer1_ = nullptr;
  // Set while a widget is given the model's value: its change signals are no
  // edit of the user's, and a list box's click must come from the user.
  bool showing_ = false;
  HelpEngine* help_ = nullptr;
  bool help_used_ = false;
  std::unique_ptr<HintHandler> hint_handler_;
};

}  // namespace zelora
