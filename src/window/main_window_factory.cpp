// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The widget factory: each control of the layout tables becomes its widget,
// and its one event is bound to its handler.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "accessible_texts.h"
#include "command_keys.h"
#include "exception_box.h"
#include "flat_button.h"
#include "gauge.h"
#include "main_window.h"
#include "number_text.h"
#include "pictures.h"
#include "preferred_input_method.h"
#include "qt_text.h"
#include "radio_group.h"
#include "resource_pictures.h"
#include "shadowed_label.h"
#include "spin_edit.h"
#include "status_bar.h"
#include "window_face.h"

namespace zelora {
namespace {

namespace wl = window_layout;

QStringList Items(std::span<const LayoutText> items) {
  QStringList list;
  for (const LayoutText& item : items) list << FaceText(item);
  return list;
}

// List-box rows of the layout's fixed item height.
class FixedRowDelegate : public QStyledItemDelegate {
 public:
  FixedRowDelegate(int row_height, QObject* parent)
      : QStyledItemDelegate(parent), row_height_(row_height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), row_height_};
  }

 private:
  int row_height_;
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

// Labels size themselves to their text. The stored widths fit the captions in
// the font the layout was drawn with; a caption that is wider in this font
// widens its label, check box or radio button instead of being cut off.
// Nothing ever shrinks, and only the width grows: place and height stay as
// the layout has them.
int FittedWidth(const QWidget& widget, ControlKind kind, int width) {
  switch (kind) {
    case ControlKind::Label:
    case ControlKind::ShadowedLabel:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return std::max(width, widget.sizeHint().width());
    default:
      return width;
  }
}

// The picture the layout stores in Image1 until start-up loads the about
// picture: the same drawing in 16 colours. Empty when the resources lack it.
QPixmap LayoutAboutPicture() {
  const QImage about = LoadPicture(pictures::kAbout, "BMP");
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

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages whichever control has the focus.
// The tab widget hears them only from a control that passes them on, and a
// drop-down list keeps them: it takes every key with a text as a search for
// its entries, and Ctrl+Tab carries a tab character.
void AddPageKeys(QTabWidget& pages) {
  const auto turn = [&pages](int step) {
    const int count = pages.count();
    for (int i = 1; i < count; ++i) {
      const int page = ((pages.currentIndex() + step * i) % count + count) % count;
      if (pages.isTabEnabled(page)) {
        pages.setCurrentIndex(page);
        return;
      }
    }
  };
  const std::pair<QKeySequence, int> keys[] = {{Qt::CTRL | Qt::Key_Tab, 1},
                                               {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1}};
  for (const auto& [key, step] : keys) {
    QObject::connect(new QShortcut(key, &pages), &QShortcut::activated, &pages,
                     [turn, step = step] { turn(step); });
  }
}

}  // namespace

void TZLR::CreateControl(const ControlLayout& layout, const PageLayout* page) {
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

  const QString caption = FaceText(layout.caption);
  QWidget* widget = nullptr;
  switch (layout.kind) {
    case ControlKind::PageControl:
      page_control_ = new QTabWidget(parent);
      // The tabs' scroll arrows are for the mouse only.
      for (auto* arrow : page_control_->tabBar()->findChildren<QToolButton*>()) {
        arrow->setFocusPolicy(Qt::NoFocus);
      }
      AddPageKeys(*page_control_);
      widget = page_control_;
      break;
    case ControlKind::StatusBar:
      status_bar_ = new StatusBar(parent);
      for (const StatusPanelLayout& panel : StatusPanels()) {
        status_bar_->AddPanel(FaceText(panel.text), scale_(panel.width));
      }
      widget = status_bar_;
      break;
    case ControlKind::FlatButton: {
      auto* button = new FlatButton(parent);
      button->setText(caption);
      button->setShortcut(CommandKeyOf(layout.name));
      const char* glyph = pictures::GlyphPath(layout.name);
      button->SetGlyph(glyph != nullptr ? LoadPicture(glyph, "BMP") : QImage());
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
      const std::optional<Control> control = ControlNamed(layout.name);
      if (!control) throw std::logic_error("unknown spin field " + std::string(layout.name));
      widget = new SpinEdit(values_.Spin(*control), parent);
      break;
    }
    case ControlKind::CheckBox:
      widget = new QCheckBox(caption, parent);
      break;
    case ControlKind::RadioButton: {
      auto* button = new RadioButton(caption, parent);
      JoinParentGroup(*button);
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
      list->setItemDelegate(new FixedRowDelegate(scale_(wl::kListItemHeight), list));
      list->setUniformItemSizes(true);
      // Long entries run to the edge and are cut there, as in a plain list.
      list->setTextElideMode(Qt::ElideNone);
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
      if (layout.name == wl::kAboutPicture) {
        picture->setScaledContents(true);
        picture->setPixmap(LayoutAboutPicture());
      } else {
        // The orientation pictures, as the logic knows them: the 32 x 32,
        // 16-colour image of the icon, unscaled.
        const std::optional<Control> shown = ControlNamed(layout.name);
        const char* icon = shown == Control::Image2   ? pictures::kPortrait
                           : shown == Control::Image3 ? pictures::kLandscape
                                                      : nullptr;
        if (icon == nullptr) throw std::logic_error("no picture for " + std::string(layout.name));
        picture->setPixmap(QPixmap::fromImage(LoadIconImage(icon, 32, 32, 16)));
      }
      widget = picture;
      break;
    }
    case ControlKind::Timer:
      break;
  }

  widget->setObjectName(name);
  widget->setGeometry(scale_(layout.left), scale_(layout.top),
                      FittedWidth(*widget, layout.kind, scale_(layout.width)),
                      scale_(layout.height));
  widget->setProperty("hint", FaceText(layout.hint));
  if (layout.tab_order != kNoTabStop) widget->setProperty("tabOrder", layout.tab_order);
  // A control of the logic's shows what the model holds; the rest as stored.
  const std::optional<Control> control = ControlNamed(layout.name);
  if (control ? !values_.Visible(*control) : (layout.state & kHidden) != 0) {
    widget->hide();
  } else if (parent->isVisible()) {
    // A page made as it shows: its controls come after the page's own show.
    widget->show();
  }
  if (control ? !values_.Enabled(*control) : (layout.state & kDisabled) != 0) {
    widget->setEnabled(false);
  }
  switch (layout.kind) {
    case ControlKind::PickList:
    case ControlKind::EditableList:
    case ControlKind::SpinField:
    case ControlKind::ListBox:
      PreferKoreanInputMethod(*widget);
      break;
    default:
      break;
  }
  SetAccessibleTexts(*widget, layout, page != nullptr ? page->controls : WindowControls(),
                     page != nullptr ? page->caption : LayoutText{});
  named_.insert(name, widget);
  if (control) {
    ShowValue(*control, *widget);
    // Before the handler, so that it reads the new value.
    TakeEdits(*control, *widget);
  }
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
  auto run = [this, method] { Guard(boxes_, [this, method] { (this->*method)(); }); };

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
      // The selection, not the current row: a mouse press makes the row
      // current before it selects it, and the handler must see the new entry.
      connect(static_cast<QListWidget*>(sender), &QListWidget::itemSelectionChanged, this,
              [this, run] {
                if (!showing_) run();
              });
      break;
    case ControlKind::RadioButton:
      // The click of a radio button is its becoming checked by the user; the
      // values run it when code checks it.
      connect(static_cast<QAbstractButton*>(sender), &QAbstractButton::toggled, this,
              [this, run](bool checked) {
                if (checked && !showing_) run();
              });
      break;
    case ControlKind::Timer:
      connect(static_cast<QTimer*>(sender), &QTimer::timeout, this, run);
      break;
    default:
      throw std::logic_error("no event to bind " + std::string(handler) + " to");
  }
}

}  // namespace zelora
