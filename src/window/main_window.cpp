// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <limits>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "accessible_texts.h"
#include "classic_style.h"
#include "control_transfer.h"
#include "exception_box.h"
#include "gauge.h"
#include "help_engine.h"
#include "hint_handler.h"
#include "layout_scale.h"
#include "number_text.h"
#include "pictures.h"
#include "qt_text.h"
#include "radio_group.h"
#include "resource_pictures.h"
#include "settings_store.h"
#include "status_bar.h"
#include "window_face.h"
#include "window_placement.h"
#include "window_rules.h"

namespace zelora {

namespace wl = window_layout;

TZLR::TZLR(SettingsStore& store, SelectablePort& port, Boxes& boxes, QWidget* parent)
    : QWidget(parent),
      store_(store),
      boxes_(boxes),
      values_(UserDecimalSeparator()),
      controller_(values_, record_, store_, port, boxes_, &port),
      test_pages_(values_, port, boxes_, *this, *this) {
  Build();
}

void TZLR::Build() {
  InstallAccessibleKinds();
  setObjectName(ToQString(wl::kWindowName));
  setWindowTitle(ToQString(wl::kCaption));
  // Title bar with system menu and close box only; the window can be moved
  // and closed, never resized or maximised.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  const QFont font = WindowFont();
  setFont(font);
  scale_ = LayoutScale(QFontMetrics(font).height());
  setFixedSize(scale_(wl::kClientWidth), scale_(wl::kClientHeight));
  move(wl::kLeft, wl::kTop);
  setWindowIcon(MainIcon());

  named_.insert(objectName(), this);
  for (const ControlLayout& layout : WindowControls()) CreateControl(layout, nullptr);
  for (const PageLayout& page : Pages()) {
    auto* widget = new QWidget(page_control_);
    widget->setObjectName(ToQString(page.name));
    page_control_->addTab(widget, FaceText(page.caption));
    named_.insert(widget->objectName(), widget);
    widget->installEventFilter(this);
    pages_.push_back(widget);
  }
  page_built_.assign(pages_.size(), false);
  page_control_->setCurrentWidget(named_.value(ToQString(wl::kActivePage)));
  SetTabOrders();

  for (std::size_t i = 0; i < kControlCount; ++i) {
    const std::string_view name = ControlName(static_cast<Control>(i));
    controls_[i] = named_.value(ToQString(name), nullptr);
    if (Locate(name).row == nullptr) {
      throw std::logic_error("the layout has no control " + std::string(name));
    }
  }
  values_.SetView(this);
}

TZLR::Place TZLR::Locate(std::string_view name) {
  const std::span<const PageLayout> pages = Pages();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    for (const ControlLayout& row : pages[i].controls) {
      if (row.name == name) return {&row, i};
    }
  }
  for (const ControlLayout& row : WindowControls()) {
    if (row.name == name) return {&row, std::nullopt};
  }
  return {};
}

namespace {

// A control hidden that holds no other is left out when its page is made, and
// made when it is to be shown or code first asks for its widget: most are
// never shown.
bool LeftOut(const PageLayout& page, const ControlLayout& row, const ControlValues& values) {
  const std::optional<Control> control = ControlNamed(row.name);
  return (control ? !values.Visible(*control) : (row.state & kHidden) != 0) &&
         std::none_of(page.controls.begin(), page.controls.end(),
                      [&](const ControlLayout& other) { return other.parent == row.name; });
}

}  // namespace

void TZLR::BuildPage(std::size_t index) {
  if (page_built_.at(index)) return;
  // First, so that the lookups of the controls being made never come back.
  page_built_[index] = true;
  const PageLayout& page = Pages()[index];
  Make(page, [&](const ControlLayout& row) { return !LeftOut(page, row, values_); });
}

void TZLR::Make(const PageLayout& page, const std::function<bool(const ControlLayout&)>& which) {
  for (const ControlLayout& layout : page.controls) {
    if (which(layout)) CreateControl(layout, &page);
  }
  for (std::size_t i = 0; i < kControlCount; ++i) {
    if (controls_[i] == nullptr) {
      controls_[i] = named_.value(ToQString(ControlName(static_cast<Control>(i))), nullptr);
    }
  }
  SetTabOrders();
  GiveAboutPicture();
}

bool TZLR::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    for (std::size_t i = 0; i < pages_.size(); ++i) {
      if (pages_[i] == watched) BuildPage(i);
    }
  }
  return QWidget::eventFilter(watched, event);
}

TZLR::~TZLR() {
  hint_handler_.reset();
  if (help_used_ && help_ != nullptr) {
    // The program ends here; there is nobody left to tell of a failure.
    try {
      help_->Quit();
    } catch (const std::exception&) {
    }
  }
}

QFont TZLR::WindowFont() {
#ifdef ZELORA_BUNDLED_WINDOW_FONT
  // Windows has no copy of the window's typeface; the program carries its own
  // (the layout is measured in it), registered once for the application.
  static const int bundled =
      QFontDatabase::addApplicationFont(QStringLiteral(ZELORA_BUNDLED_WINDOW_FONT));
  (void)bundled;
#endif
  QFont font(ToQString(wl::kFontFamily));
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int dpi = screen != nullptr ? qRound(screen->logicalDotsPerInchY()) : kLayoutDpi;
  font.setPixelSize(ScaledFontPixelSize(wl::kFontPixelSize, dpi));
  font.setStretch(wl::kFontStretch);
  return font;
}

void TZLR::ApplyApplicationLook() {
  auto* style = new ClassicStyle;  // the application takes it over
  QApplication::setStyle(style);
  QApplication::setPalette(style->standardPalette());
  QApplication::setFont(WindowFont());
}

QWidget* TZLR::FindControl(std::string_view name) const {
  const QString key = ToQString(name);
  if (QWidget* widget = named_.value(key, nullptr)) return widget;
  const std::optional<std::size_t> page = Locate(name).page;
  if (!page) return nullptr;
  // Making controls changes what the window is made of, not what it holds.
  auto& self = const_cast<TZLR&>(*this);
  self.BuildPage(*page);
  if (QWidget* widget = named_.value(key, nullptr)) return widget;
  self.Make(Pages()[*page], [&](const ControlLayout& row) { return row.name == name; });
  return named_.value(key, nullptr);
}
// ---------------------------------------------------------------------------
// Handlers

namespace {

// Boxes that show an error box only when its text differs from the last
// one's: start-up and the port choice each read the settings, and one
// damaged file is one box.
class DistinctErrors final : public Boxes {
 public:
  explicit DistinctErrors(Boxes& boxes) : boxes_(boxes) {}
  void ShowTransmissionError(TransmissionErrorVariant variant) override {
    boxes_.ShowTransmissionError(variant);
  }
  void ShowDemoWriteError() override { boxes_.ShowDemoWriteError(); }
  void ShowError(const std::string& text) override {
    if (text == last_) return;
    last_ = text;
    boxes_.ShowError(text);
  }

 private:
  Boxes& boxes_;
  std::string last_;
};

}  // namespace

void TZLR::Open() {
  DistinctErrors boxes(boxes_);
  Guard(boxes, [this] { FormCreate(); });
  // After start-up proper, so that a port value of the wrong type shows its
  // own box and leaves the rest of start-up done.
  Guard(boxes, [this] { controller_.LoadPortChoice(); });
  show();
}

void TZLR::FormCreate() {
  SetHourglass(true);
  record_.reload = false;
  LoadAboutPicture();
  LoadIntoWindow(store_, record_, values_);
  KeepTitleBarReachable();
  ShowCustomSize();
  ApplyTypefaceRule();
  page_control_->setCurrentWidget(FindControl(kStartPage));
  if (!hint_handler_) hint_handler_ = std::make_unique<HintHandler>(*status_bar_, HintPanel());
  SetHourglass(false);
}

void TZLR::LoadAboutPicture() {
  kept_about_picture_ = LoadBitmapResource(pictures::kAboutBitmapId);
  GiveAboutPicture();
}

void TZLR::GiveAboutPicture() {
  auto* image1 = qobject_cast<QLabel*>(named_.value(ToQString(wl::kAboutPicture), nullptr));
  if (image1 == nullptr || kept_about_picture_.isNull()) return;
  image1->clear();
  image1->setPixmap(QPixmap::fromImage(std::exchange(kept_about_picture_, QImage())));
}

// The stored position is used as it is, unless it would put the title bar on
// no screen at all (a screen taken away since the last Exit): then the window
// goes onto the primary screen. The stored values stay as they are; the next
// Exit stores where the window is then.
void TZLR::KeepTitleBarReachable() {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return;
  // Whole screens, not their free areas: a title bar under a desktop panel
  // is still on a screen, and the stored position is kept then.
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.append(screen->geometry());
  }
  // frameSize(), not frameGeometry().size(): the rectangle's far edges
  // overflow for a position stored near the limit of an int.
  const QPoint place = ReachablePosition(pos(), frameSize(), screens, primary->availableGeometry());
  if (place != pos()) move(place);
}

void TZLR::ComPapersizeChange() { ShowCustomSize(); }

void TZLR::ShowCustomSize() { zelora::ShowCustomSize(values_); }

void TZLR::BtnPortraitClick() {
  values_.SetVisible(Control::Image2, true);
  values_.SetVisible(Control::Image3, false);
}

void TZLR::BtnLandscapeClick() {
  values_.SetVisible(Control::Image2, false);
  values_.SetVisible(Control::Image3, true);
}

void TZLR::ListTypefaceClick() { ApplyTypefaceRule(); }

void TZLR::ApplyTypefaceRule() { zelora::ApplyTypefaceRule(values_); }

void TZLR::BtnExitClick() {
  // A refused write ends the handler here and the window stays open.
  store_.StoreWindowPosition(x(), y(), record_);
  close();
}

void TZLR::BtnHelpClick() {
  if (help_ == nullptr) throw std::logic_error("No help engine");
  help_used_ = true;
  const QWidget* page = page_control_->currentWidget();
  help_->ShowContext(
      std::string(kHelpFile),
      HelpContext(page != nullptr ? page->objectName().toStdString() : std::string()));
}

void TZLR::BtnApplyClick() { controller_.BtnApplyClick(); }
void TZLR::BtnDefaultClick() { controller_.BtnDefaultClick(); }
void TZLR::BtnResetClick() { controller_.BtnResetClick(); }
void TZLR::BtnFormfeedClick() { test_pages_.BtnFormfeedClick(); }
void TZLR::BtnConfigClick() { test_pages_.BtnConfigClick(); }
void TZLR::BtnTestPrtClick() { test_pages_.BtnTestPrtClick(); }
void TZLR::Timer1Timer() { test_pages_.Timer1Timer(); }

// ---------------------------------------------------------------------------
// BusyLockout and GaugeProgress

// The hourglass belongs to the window's own surface: every control keeps its
// own cursor (an edit field its I-beam, the rest the arrow), while a child
// without one would show its parent's.
void TZLR::SetHourglass(bool busy) {
  if (busy) {
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!child->testAttribute(Qt::WA_SetCursor)) child->setCursor(Qt::ArrowCursor);
    }
    setCursor(Qt::WaitCursor);
  } else {
    unsetCursor();
  }
}

void TZLR::StartTimer() {
  if (!timer1_->isActive()) timer1_->start();
}

void TZLR::StopTimer() { timer1_->stop(); }

void TZLR::SetRange(std::int64_t maximum) {
  auto* gauge = static_cast<Gauge*>(Widget(Control::Gauge));
  gauge_step_ = 1 + maximum / std::numeric_limits<int>::max();
  gauge->SetMinimum(0);
  gauge->SetProgress(0);
  gauge->SetMaximum(static_cast<int>(maximum / gauge_step_));
}

void TZLR::SetProgress(std::int64_t progress) {
  static_cast<Gauge*>(Widget(Control::Gauge))
      ->SetProgress(static_cast<int>(progress / gauge_step_));
}

}  // namespace zelora
