#include "main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

#include "pictures.h"
#include "settings_store.h"
#include "control_transfer.h"
#include "exception_box.h"
#include "flat_button.h"
#include "gauge.h"
#include "help_engine.h"
#include "hint_handler.h"
#include "number_text.h"
#include "radio_group.h"
#include "resource_pictures.h"
#include "shadowed_label.h"
#include "spin_edit.h"
#include "spin_field_layout.h"
#include "status_bar.h"
#include "window_placement.h"

namespace zelora {
namespace {

namespace wl = window_layout;

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList Items(std::span<const LayoutText> items) {
  QStringList list;
  for (const LayoutText& item : items) list << ToQString(item.russian);
  return list;
}

// List-box rows of the layout's fixed item height.
class FixedRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), wl::kListItemHeight};
  }
};

// A single-selection list box: the user moves its selection but cannot take
// it away (Ctrl+click or Ctrl+Space on the selected entry); only code empties
// it.
class ListBox : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override {
    const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
    return command.testFlag(QItemSelectionModel::Deselect) ? QItemSelectionModel::NoUpdate
                                                           : command;
  }
};

// The control of the enum named `name`, if there is one.
bool ControlByName(std::string_view name, Control& out) {
  for (int i = 0; i <= static_cast<int>(Control::Gauge); ++i) {
    const auto control = static_cast<Control>(i);
    if (ControlName(control) == name) {
      out = control;
      return true;
    }
  }
  return false;
}

// Labels size themselves to their text. The stored widths fit the captions in
// the font the layout was drawn with; a caption that is wider in this font
// widens its label, check box or radio button instead of being cut off.
// Nothing ever shrinks.
int FittedWidth(const QWidget& widget, const ControlLayout& layout) {
  switch (layout.kind) {
    case ControlKind::Label:
    case ControlKind::ShadowedLabel:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return std::max(layout.width, widget.sizeHint().width());
    default:
      return layout.width;
  }
}

// The picture the layout stores in Image1 until start-up loads the about
// picture: the same drawing in 16 colours. Empty when the resources lack it.
QPixmap LayoutAboutPicture() {
  const QImage about(QString::fromLatin1(pictures::kAbout));
  if (about.isNull()) return {};
  QList<QRgb> colours;
  for (const Qt::GlobalColor c :
       {Qt::black, Qt::darkRed, Qt::darkGreen, Qt::darkYellow, Qt::darkBlue, Qt::darkMagenta,
        Qt::darkCyan, Qt::lightGray, Qt::darkGray, Qt::red, Qt::green, Qt::yellow, Qt::blue,
        Qt::magenta, Qt::cyan, Qt::white}) {
    colours << QColor(c).rgb();
  }
  // Through RGB: a conversion to the image's own format keeps its palette.
  return QPixmap::fromImage(about.convertToFormat(QImage::Format_RGB32)
                                .convertToFormat(QImage::Format_Indexed8, colours));
}

// Help context numbers by page: the pages count from 1 in tab order.
int HelpContext(const QString& page) {
  const std::span<const PageLayout> pages = Pages();
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (page == ToQString(pages[i].name)) return static_cast<int>(i) + 1;
  }
  return 0;
}

constexpr char kHelpFile[] = "VERAR.HLP";

[[noreturn]] void WrongKind(Control control, const char* accessor) {
  throw std::logic_error(std::string(accessor) + " used on " + std::string(ControlName(control)));
}

}  // namespace

TZLR::TZLR(SettingsStore& store, QWidget* parent) : QWidget(parent), store_(store) {
  setObjectName(ToQString(wl::kWindowName));
  setWindowTitle(ToQString(wl::kCaption));
  // Title bar with system menu and close box only.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFont(WindowFont());
  setFixedSize(wl::kClientWidth, wl::kClientHeight);
  move(wl::kLeft, wl::kTop);
  setWindowIcon(QIcon(QString::fromLatin1(pictures::kMainIcon)));
  orientation_.setExclusive(true);

  named_.insert(objectName(), this);
  for (const ControlLayout& layout : WindowControls()) CreateControl(layout);
  for (const PageLayout& page : Pages()) {
    auto* widget = new QWidget(page_control_);
    widget->setObjectName(ToQString(page.name));
    page_control_->addTab(widget, ToQString(page.caption.russian));
    named_.insert(widget->objectName(), widget);
    for (const ControlLayout& layout : page.controls) CreateControl(layout);
  }
  page_control_->setCurrentWidget(FindControl(wl::kActivePage));
  SetTabOrders();

  for (int i = 0; i <= static_cast<int>(Control::Gauge); ++i) {
    const auto control = static_cast<Control>(i);
    QWidget* widget = FindControl(ControlName(control));
    if (widget == nullptr) {
      throw std::logic_error("the layout has no control " + std::string(ControlName(control)));
    }
    controls_[static_cast<std::size_t>(i)] = widget;
  }
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
  QFont font(ToQString(wl::kFontFamily));
  font.setPixelSize(wl::kFontPixelSize);
  font.setStretch(wl::kFontStretch);
  return font;
}

void TZLR::ApplyApplicationLook() {
  QApplication::setStyle(QStringLiteral("Windows"));
  QApplication::setFont(WindowFont());
}

QWidget* TZLR::FindControl(std::string_view name) const {
  return named_.value(ToQString(name), nullptr);
}

void TZLR::CreateControl(const ControlLayout& layout) {
  const QString name = ToQString(layout.name);
  QWidget* parent = FindControl(layout.parent);
  if (parent == nullptr) throw std::logic_error("no parent for " + std::string(layout.name));

  if (layout.kind == ControlKind::Timer) {
    timer1_ = new QTimer(this);
    timer1_->setObjectName(name);
    timer1_->setInterval(wl::kTimer1Interval);
    if (!(layout.state & kDisabled)) timer1_->start();
    BindHandler(timer1_, layout.kind, layout.handler);
    return;
  }

  const QString caption = ToQString(layout.caption.russian);
  QWidget* widget = nullptr;
  switch (layout.kind) {
    case ControlKind::PageControl:
      page_control_ = new QTabWidget(parent);
      // The tabs' scroll arrows are for the mouse only.
      for (auto* arrow : page_control_->tabBar()->findChildren<QToolButton*>()) {
        arrow->setFocusPolicy(Qt::NoFocus);
      }
      widget = page_control_;
      break;
    case ControlKind::StatusBar:
      status_bar_ = new StatusBar(parent);
      for (const StatusPanelLayout& panel : StatusPanels()) {
        status_bar_->AddPanel(ToQString(panel.text.russian), panel.width);
      }
      widget = status_bar_;
      break;
    case ControlKind::FlatButton: {
      auto* button = new FlatButton(parent);
      button->setText(caption);
      const char* glyph = pictures::GlyphPath(layout.name);
      button->SetGlyph(glyph != nullptr ? QImage(QString::fromLatin1(glyph)) : QImage());
      widget = button;
      break;
    }
    case ControlKind::GroupBox:
      widget = new QGroupBox(caption, parent);
      break;
    case ControlKind::Label:
      widget = new QLabel(caption, parent);
      break;
    case ControlKind::ShadowedLabel:
      widget = new ShadowedLabel(caption, parent);
      break;
    case ControlKind::PickList:
    case ControlKind::EditableList: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(layout.kind == ControlKind::EditableList);
      combo->addItems(Items(layout.items));
      combo->setMaxVisibleItems(wl::kDropDownCount);
      combo->setCurrentIndex(-1);
      widget = combo;
      break;
    }
    case ControlKind::SpinField: {
      Control control{};
      if (!ControlByName(layout.name, control)) {
        throw std::logic_error("unknown spin field " + std::string(layout.name));
      }
      const char separator = UserDecimalSeparator();
      widget = new SpinEdit(SpinFieldProperties(control), SpinFieldInitialText(control, separator),
                            separator, parent);
      break;
    }
    case ControlKind::CheckBox:
      widget = new QCheckBox(caption, parent);
      break;
    case ControlKind::RadioButton: {
      auto* button = new QRadioButton(caption, parent);
      orientation_.addButton(button);
      widget = button;
      break;
    }
    case ControlKind::RadioGroup: {
      auto* group = new RadioGroup(parent);
      group->setTitle(caption);
      group->SetItems(Items(layout.items));
      widget = group;
      break;
    }
    case ControlKind::ListBox: {
      auto* list = new ListBox(parent);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setItemDelegate(new FixedRowDelegate(list));
      list->setUniformItemSizes(true);
      list->addItems(Items(layout.items));
      list->setCurrentRow(-1);
      widget = list;
      break;
    }
    case ControlKind::Gauge: {
      auto* gauge = new Gauge(parent);
      gauge->SetMinimum(wl::kGaugeMinimum);
      gauge->SetMaximum(wl::kGaugeMaximum);
      gauge->SetProgress(wl::kGaugeProgress);
      widget = gauge;
      break;
    }
    case ControlKind::Panel: {
      auto* panel = new QFrame(parent);
      panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      panel->setLineWidth(1);
      widget = panel;
      break;
    }
    case ControlKind::Picture: {
      auto* picture = new QLabel(parent);
      picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      if (layout.name == "Image1") {
        picture->setScaledContents(true);
        picture->setPixmap(LayoutAboutPicture());
      } else {
        // The 32 x 32, 16-colour image of the icon, unscaled.
        const char* icon = layout.name == "Image2" ? pictures::kPortrait : pictures::kLandscape;
        picture->setPixmap(QPixmap::fromImage(LoadIconImage(icon, 32, 32, 16)));
      }
      widget = picture;
      break;
    }
    case ControlKind::Timer:
      break;
  }

  widget->setObjectName(name);
  widget->setGeometry(layout.left, layout.top, FittedWidth(*widget, layout), layout.height);
  widget->setProperty("hint", ToQString(layout.hint.russian));
  if (layout.tab_order != kNoTabStop) widget->setProperty("tabOrder", layout.tab_order);
  if (layout.state & kHidden) widget->hide();
  if (layout.state & kDisabled) widget->setEnabled(false);
  named_.insert(name, widget);
  BindHandler(widget, layout.kind, layout.handler);
}

TZLR::Handler TZLR::HandlerNamed(std::string_view name) {
  static constexpr std::pair<std::string_view, Handler> kHandlers[] = {
      {"BtnApplyClick", &TZLR::BtnApplyClick},
      {"BtnDefaultClick", &TZLR::BtnDefaultClick},
      {"BtnResetClick", &TZLR::BtnResetClick},
      {"BtnFormfeedClick", &TZLR::BtnFormfeedClick},
      {"BtnHelpClick", &TZLR::BtnHelpClick},
      {"BtnExitClick", &TZLR::BtnExitClick},
      {"ComPapersizeChange", &TZLR::ComPapersizeChange},
      {"BtnPortraitClick", &TZLR::BtnPortraitClick},
      {"BtnLandscapeClick", &TZLR::BtnLandscapeClick},
      {"ListTypefaceClick", &TZLR::ListTypefaceClick},
      {"BtnConfigClick", &TZLR::BtnConfigClick},
      {"BtnTestPrtClick", &TZLR::BtnTestPrtClick},
      {"Timer1Timer", &TZLR::Timer1Timer},
  };
  for (const auto& [handler_name, handler] : kHandlers) {
    if (handler_name == name) return handler;
  }
  return nullptr;
}

void TZLR::BindHandler(QObject* sender, ControlKind kind, std::string_view handler) {
  if (handler.empty()) return;
  const Handler method = HandlerNamed(handler);
  if (method == nullptr)
    throw std::logic_error("the window has no handler " + std::string(handler));
  // Every handler runs guarded: an error that leaves it is shown in the
  // exception box and the program goes on.
  auto run = [this, method] { Guard([this, method] { (this->*method)(); }); };

  switch (kind) {
    case ControlKind::FlatButton:
      connect(static_cast<QAbstractButton*>(sender), &QAbstractButton::clicked, this, run);
      break;
    case ControlKind::PickList:
    case ControlKind::EditableList:
      // Only a choice by the user; setting the index in code stays silent.
      connect(static_cast<QComboBox*>(sender), &QComboBox::activated, this, run);
      break;
    case ControlKind::ListBox:
      connect(static_cast<QListWidget*>(sender), &QListWidget::currentRowChanged, this,
              [this, run] {
                if (!setting_list_) run();
              });
      break;
    case ControlKind::RadioButton:
      // The click of a radio button is its becoming checked, by the user or
      // in code; checking a checked one changes nothing and fires nothing.
      connect(static_cast<QAbstractButton*>(sender), &QAbstractButton::toggled, this,
              [run](bool checked) {
                if (checked) run();
              });
      break;
    case ControlKind::Timer:
      connect(static_cast<QTimer*>(sender), &QTimer::timeout, this, run);
      break;
    default:
      throw std::logic_error("no event to bind " + std::string(handler) + " to");
  }
}

// Keyboard navigation visits the containers in their tab order and the
// controls of each container in theirs.
void TZLR::SetTabOrders() {
  std::vector<QWidget*> chain;
  CollectTabStops(wl::kWindowName, chain);
  for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TZLR::CollectTabStops(std::string_view container, std::vector<QWidget*>& chain) const {
  std::vector<const ControlLayout*> stops;
  auto consider = [&](std::span<const ControlLayout> rows) {
    for (const ControlLayout& row : rows) {
      if (row.parent == container && row.tab_order != kNoTabStop) stops.push_back(&row);
    }
  };
  consider(WindowControls());
  for (const PageLayout& page : Pages()) consider(page.controls);
  std::stable_sort(stops.begin(), stops.end(), [](const ControlLayout* a, const ControlLayout* b) {
    return a->tab_order < b->tab_order;
  });

  for (const ControlLayout* row : stops) {
    QWidget* widget = FindControl(row->name);
    switch (row->kind) {
      case ControlKind::PageControl:
        chain.push_back(page_control_->tabBar());
        for (const PageLayout& page : Pages()) CollectTabStops(page.name, chain);
        break;
      case ControlKind::GroupBox:
      case ControlKind::Panel:
        CollectTabStops(row->name, chain);
        break;
      case ControlKind::RadioGroup: {
        auto* group = static_cast<RadioGroup*>(widget);
        for (int i = 0; i < group->Count(); ++i) chain.push_back(group->Item(i));
        break;
      }
      default:
        // A spin field goes in whole, its editor with it: ordering the editor
        // alone would leave the field itself at the end of the chain, where
        // Tab would jump back into it.
        chain.push_back(widget);
        break;
    }
  }
}

// ---------------------------------------------------------------------------
// ControlValues

QWidget* TZLR::Widget(Control control) const {
  return controls_.at(static_cast<std::size_t>(control));
}

SpinEdit& TZLR::Spin(Control control) const {
  auto* spin = qobject_cast<SpinEdit*>(Widget(control));
  if (spin == nullptr) WrongKind(control, "a spin-field accessor");
  return *spin;
}

std::int32_t TZLR::ItemIndex(Control control) const {
  QWidget* widget = Widget(control);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentIndex();
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    QListWidgetItem* item = list->currentItem();
    return item != nullptr && item->isSelected() ? list->row(item) : -1;
  }
  if (auto* group = qobject_cast<RadioGroup*>(widget)) return group->ItemIndex();
  WrongKind(control, "ItemIndex");
}

void TZLR::SetItemIndex(Control control, std::int32_t index) {
  QWidget* widget = Widget(control);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    // An index that names no entry leaves the list without a selection.
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    return;
  }
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    setting_list_ = true;
    if (index >= 0 && index < list->count()) {
      list->setCurrentRow(index);
    } else {
      list->clearSelection();
      list->setCurrentItem(nullptr);
    }
    setting_list_ = false;
    return;
  }
  if (auto* group = qobject_cast<RadioGroup*>(widget)) {
    group->SetItemIndex(index);
    return;
  }
  WrongKind(control, "SetItemIndex");
}

bool TZLR::Checked(Control control) const {
  auto* button = qobject_cast<QAbstractButton*>(Widget(control));
  if (button == nullptr || !button->isCheckable()) WrongKind(control, "Checked");
  return button->isChecked();
}

void TZLR::SetChecked(Control control, bool checked) {
  auto* button = qobject_cast<QAbstractButton*>(Widget(control));
  if (button == nullptr || !button->isCheckable()) WrongKind(control, "SetChecked");
  if (button->group() != &orientation_) {
    button->setChecked(checked);
    return;
  }
  if (button->isChecked() == checked) return;
  if (checked) {
    // The group unchecks the other button, then the click runs.
    button->setChecked(true);
  } else {
    orientation_.setExclusive(false);
    button->setChecked(false);
    orientation_.setExclusive(true);
  }
}

long double TZLR::SpinValue(Control control) const { return Spin(control).Value(); }

void TZLR::SetSpinValue(Control control, long double value) { Spin(control).SetValue(value); }

std::string TZLR::SpinText(Control control) const { return Spin(control).Text(); }

bool TZLR::Visible(Control control) const { return !Widget(control)->isHidden(); }

void TZLR::SetVisible(Control control, bool visible) { Widget(control)->setVisible(visible); }

bool TZLR::Enabled(Control control) const {
  QWidget* widget = Widget(control);
  return widget->isEnabledTo(widget->parentWidget());
}

void TZLR::SetEnabled(Control control, bool enabled) { Widget(control)->setEnabled(enabled); }

std::int32_t TZLR::WindowLeft() const { return x(); }

std::int32_t TZLR::WindowTop() const { return y(); }

void TZLR::SetWindowLeft(std::int32_t left) { move(left, y()); }

void TZLR::SetWindowTop(std::int32_t top) { move(x(), top); }

// ---------------------------------------------------------------------------
// Handlers

void TZLR::Open() {
  Guard([this] { FormCreate(); });
  show();
}

void TZLR::FormCreate() {
  setCursor(Qt::WaitCursor);
  record_.reload = false;
  LoadAboutPicture();
  store_.LoadSettings(record_, *this, [](const SettingsRecord& record, ControlValues& controls) {
    Push(record, controls);
  });
  KeepTitleBarReachable();
  ShowCustomSize();
  ApplyTypefaceRule();
  page_control_->setCurrentWidget(FindControl("Printer"));
  if (!hint_handler_) hint_handler_ = std::make_unique<HintHandler>(*status_bar_, 1);
  unsetCursor();
}

void TZLR::LoadAboutPicture() {
  auto* image1 = static_cast<QLabel*>(FindControl("Image1"));
  image1->clear();
  image1->setPixmap(QPixmap::fromImage(LoadBitmapResource(pictures::kAboutBitmapId)));
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
  const QRect frame(pos(), frameGeometry().size());
  const QPoint place = ReachablePosition(frame, screens, primary->availableGeometry());
  if (place != pos()) move(place);
}

void TZLR::ComPapersizeChange() { ShowCustomSize(); }

void TZLR::ShowCustomSize() {
  const bool custom = ItemIndex(Control::ComPapersize) == 12;  // "Others(mm)"
  SetVisible(Control::RxSpinEdit1, custom);
  SetVisible(Control::RxSpinEdit2, custom);
}

void TZLR::BtnPortraitClick() {
  SetVisible(Control::Image2, true);
  SetVisible(Control::Image3, false);
}

void TZLR::BtnLandscapeClick() {
  SetVisible(Control::Image2, false);
  SetVisible(Control::Image3, true);
}

void TZLR::ListTypefaceClick() { ApplyTypefaceRule(); }

// Fixed-pitch faces (and no selection) take a pitch, scalable proportional
// faces a point size, the line-printer faces neither.
void TZLR::ApplyTypefaceRule() {
  const std::int32_t typeface = ItemIndex(Control::ListTypeface);
  if (typeface < 7) {
    SetEnabled(Control::SpinPoint, false);
    SetEnabled(Control::SpinPitch, true);
  } else {
    SetEnabled(Control::SpinPitch, false);
    SetEnabled(Control::SpinPoint, typeface < 45);
  }
}

void TZLR::BtnExitClick() {
  // A refused write ends the handler here and the window stays open.
  store_.StoreWindowPosition(*this, record_);
  close();
}

void TZLR::BtnHelpClick() {
  if (help_ == nullptr) throw std::logic_error("No help engine");
  help_used_ = true;
  const QWidget* page = page_control_->currentWidget();
  help_->ShowContext(kHelpFile, HelpContext(page != nullptr ? page->objectName() : QString()));
}

// Not yet wired: the Send pass, Default and Reset, the printer utility jobs
// and the Busy lock-out come with the settings controller and the printer
// jobs. Until then these handlers deliberately do nothing.
void TZLR::BtnApplyClick() {}
void TZLR::BtnDefaultClick() {}
void TZLR::BtnResetClick() {}
void TZLR::BtnFormfeedClick() {}
void TZLR::BtnConfigClick() {}
void TZLR::BtnTestPrtClick() {}
void TZLR::Timer1Timer() {}

}  // namespace zelora
