// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QButtonGroup>
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
#include "port_writer.h"
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
class SpinEdit;
class StatusBar;

// The main window "ZLR": built from the window layout tables, it owns every
// control and the settings record, and gives the toolkit-free logic the
// values of its controls. Each control carries its hint in the dynamic
// property "hint" (for the hint line; there are no pop-up tips) and, when it
// is a tab stop, its tab order among its siblings in "tabOrder".
// The controls of a page are made when the page first shows, or when code
// first asks for one of them, and a control stored hidden only when code asks
// for it: start-up makes only what the first paint shows. Values given before
// that are kept and given to the controls as they are made, so nobody can
// tell.
class TZLR : public QWidget, public ControlValues, public BusyLockout, public GaugeProgress {
  Q_OBJECT
 public:
  // Builds the window in the states the layout stores; FormCreate then loads
  // the stored settings into it. It writes to the platform's printer port and
  // shows its boxes on the screen.
  explicit TZLR(SettingsStore& store, QWidget* parent = nullptr);
  // The same on another port and other boxes; both must outlive the window.
  TZLR(SettingsStore& store, PrinterPort& port, Boxes& boxes, QWidget* parent = nullptr);
  // The same on a port the settings choose at start-up and by Reset.
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

  // ControlValues on the widgets.
  std::int32_t ItemIndex(Control control) const override;
  void SetItemIndex(Control control, std::int32_t index) override;
  bool Checked(Control control) const override;
  void SetChecked(Control control, bool checked) override;
  long double SpinValue(Control control) const override;
  void SetSpinValue(Control control, long double value) override;
  std::string SpinText(Control control) const override;
  bool Visible(Control control) const override;
  void SetVisible(Control control, bool visible) override;
  bool Enabled(Control control) const override;
  void SetEnabled(Control control, bool enabled) override;
  std::int32_t WindowLeft() const override;
  std::int32_t WindowTop() const override;
  void SetWindowLeft(std::int32_t left) override;
  void SetWindowTop(std::int32_t top) override;

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

  // The window on a port given to it; port_choice, when not null, is the
  // same port, chosen by the settings.
  TZLR(SettingsStore& store, PrinterPort& port, Boxes& boxes, SelectablePort* port_choice,
       QWidget* parent);

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

  // A value given to a control that is not made yet.
  enum class Kept { kItemIndex, kChecked, kSpinValue, kVisible, kEnabled };
  struct KeptValue {
    Control control;
    Kept what;
    long double value;
  };
  // Whether a control of `kind` has the value `what`, as its widget would.
  static bool Holds(ControlKind kind, Kept what);
  // Keeps the value and returns true when `control` is not made yet.
  bool Keep(Control control, Kept what, long double value);
  // The last value kept for a control not made yet, if any.
  std::optional<long double> KeptFor(Control control, Kept what) const;
  // Visible or enabled, for a control not made yet: the value kept for it,
  // else what the layout stores (`off_state` set means false).
  bool KeptOrStored(Control control, Kept what, unsigned off_state) const;

  void BindHandler(QObject* sender, ControlKind kind, std::string_view handler);
  void SetTabOrders();
  void CollectTabStops(std::string_view container, std::vector<QWidget*>& chain) const;
  QWidget* Widget(Control control) const;
  SpinEdit& Spin(Control control) const;
  void LoadAboutPicture();
  // Hands the kept about picture to its label, once the label is made.
  void GiveAboutPicture();
  void KeepTitleBarReachable();

  SettingsStore& store_;
  std::unique_ptr<SelectablePort> own_port_;
  std::unique_ptr<Boxes> own_boxes_;
  PrinterPort& port_;
  Boxes& boxes_;
  SettingsRecord record_;
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
  std::vector<KeptValue> kept_;
  // The about picture start-up loaded while the About page was not made, as
  // read: a quarter of the size of the screen-ready pixmap made from it.
  QImage kept_about_picture_;
  QTabWidget* page_control_ = nullptr;
  StatusBar* status_bar_ = nullptr;
  QTimer* timer1_ = nullptr;
  QButtonGroup orientation_;
  // Set while code changes a list box, whose click must come from the user.
  bool setting_list_ = false;
  HelpEngine* help_ = nullptr;
  bool help_used_ = false;
  std::unique_ptr<HintHandler> hint_handler_;
};

}  // namespace zelora
