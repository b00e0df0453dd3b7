// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window as built, before start-up: every control checked against its
// row of the layout tables, and the look that the tables leave to the window.

#include <gtest/gtest.h>

#include "qt_print.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "gauge.h"
#include "layout_scale.h"
#include "main_window.h"
#include "memory_registry.h"
#include "radio_group.h"
#include "recording_fakes.h"
#include "settings_key.h"
#include "settings_store.h"
#include "spin_edit.h"
#include "status_bar.h"
#include "status_bar_pixels.h"
#include "support/test_printer.h"
#include "window_layout.h"

namespace zelora {
namespace {

// The Qt class each kind of control is built as.
const char* QtClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::PageControl:
      return "QTabWidget";
    case ControlKind::StatusBar:
      return "zelora::StatusBar";
    case ControlKind::Timer:
      return "QTimer";
    case ControlKind::FlatButton:
      return "zelora::FlatButton";
    case ControlKind::GroupBox:
      return "QGroupBox";
    case ControlKind::Label:
      return "QLabel";
    case ControlKind::ShadowedLabel:
      return "zelora::ShadowedLabel";
    case ControlKind::PickList:
      return "QComboBox";
    case ControlKind::EditableList:
      return "QComboBox";
    case ControlKind::SpinField:
      return "zelora::SpinEdit";
    case ControlKind::CheckBox:
      return "QCheckBox";
    case ControlKind::RadioButton:
      return "zelora::RadioButton";
    case ControlKind::RadioGroup:
      return "zelora::RadioGroup";
    case ControlKind::ListBox:
      return "QListWidget";
    case ControlKind::Gauge:
      return "zelora::Gauge";
    case ControlKind::Panel:
      return "QFrame";
    case ControlKind::Picture:
      return "QLabel";
  }
  return "";
}

// Every row of the layout tables: the window's own controls, then each
// page's.
std::vector<const ControlLayout*> AllLayoutRows() {
  std::vector<const ControlLayout*> rows;
  for (const ControlLayout& row : WindowControls()) rows.push_back(&row);
  for (const PageLayout& page : Pages()) {
    for (const ControlLayout& row : page.controls) rows.push_back(&row);
  }
  return rows;
}

// The rows of the controls that are widgets (all but the timer).
std::vector<const ControlLayout*> WidgetRows() {
  std::vector<const ControlLayout*> rows = AllLayoutRows();
  std::erase_if(rows, [](const ControlLayout* row) { return row->kind == ControlKind::Timer; });
  return rows;
}

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class MainWindowLayoutTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TZLR::ApplyApplicationLook(); }

  MemoryRegistry registry_;
  SettingsStore store_{registry_};
  testing::TestPrinter printer_{store_};
  StrictBoxes boxes_;
  TZLR window_{store_, printer_.port(), boxes_};

  QWidget* Find(const char* name) { return window_.FindControl(name); }
  QWidget* Find(std::string_view name) { return window_.FindControl(name); }
};

TEST_F(MainWindowLayoutTest, WindowIsFixedSizeDialogWithItsFont) {
  EXPECT_EQ(window_.objectName(), "ZLR");
  EXPECT_EQ(window_.windowTitle(), "Zelora");
  EXPECT_EQ(window_.size(), QSize(439, 309));
  EXPECT_EQ(window_.minimumSize(), QSize(439, 309));
  EXPECT_EQ(window_.maximumSize(), QSize(439, 309));
  EXPECT_EQ(window_.pos(), QPoint(180, 97));

  const Qt::WindowFlags flags = window_.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));

  EXPECT_EQ(window_.font().family(), "DejaVu Sans");
  EXPECT_EQ(window_.font().pixelSize(), 11);
  EXPECT_EQ(QFontMetrics(window_.font()).height(), 13);
  EXPECT_FALSE(window_.windowIcon().isNull());
}

// Each row of the layout tables is a widget of its kind, in the row's
// rectangle scaled to the window's font, with the row's states and texts.
TEST_F(MainWindowLayoutTest, EveryControlHasItsKindPlaceStateAndTexts) {
  const LayoutScale scale(QFontMetrics(window_.font()).height());
  QSet<QString> expected_names;
  for (const ControlLayout* row : WidgetRows()) {
    SCOPED_TRACE(std::string(row->name));
    expected_names.insert(Q(row->name));
    QWidget* widget = Find(row->name);
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), QtClass(row->kind));
    ASSERT_NE(widget->parentWidget(), nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), Q(row->parent));

    // Captioned labels, check boxes and radio buttons widen when their text
    // needs more room than the stored width; nothing else ever differs.
    int width = scale(row->width);
    const bool captioned = !row->caption.russian.empty();
    if (captioned && (widget->inherits("QLabel") || widget->inherits("QCheckBox") ||
                      widget->inherits("QRadioButton"))) {
      width = std::max(width, widget->sizeHint().width());
    }
    EXPECT_EQ(widget->geometry(),
              QRect(scale(row->left), scale(row->top), width, scale(row->height)));

    EXPECT_EQ(widget->isHidden(), (row->state & kHidden) != 0);
    EXPECT_EQ(widget->isEnabled(), (row->state & kDisabled) == 0);

    QString caption;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      caption = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      caption = button->text();
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      caption = group->title();
    } else {
      EXPECT_FALSE(captioned) << "a caption on a kind that shows none";
    }
    EXPECT_EQ(caption, Q(row->caption.russian));
    EXPECT_EQ(widget->property("hint").toString(), Q(row->hint.russian));
    const QVariant tab_order = widget->property("tabOrder");
    EXPECT_EQ(tab_order.isValid() ? tab_order.toInt() : kNoTabStop, row->tab_order);
    EXPECT_TRUE(widget->toolTip().isEmpty());
  }

  // Nothing else carries a name of its own (but the pages and the tab bar's
  // own scroll buttons).
  for (const PageLayout& page : Pages()) expected_names.insert(Q(page.name));
  expected_names << "ScrollLeftButton"
                 << "ScrollRightButton";
  for (QWidget* widget : window_.findChildren<QWidget*>()) {
    const QString name = widget->objectName();
    if (name.isEmpty() || name.startsWith("qt_")) continue;
    EXPECT_TRUE(expected_names.contains(name)) << name.toStdString();
  }
}

TEST_F(MainWindowLayoutTest, PagesInOrderWithAboutActive) {
  auto* tabs = qobject_cast<QTabWidget*>(Find("PageControl1"));
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->count(), 5);
  ASSERT_EQ(Pages().size(), 5u);
  for (int i = 0; i < 5; ++i) {
    const PageLayout& page = Pages()[static_cast<std::size_t>(i)];
    EXPECT_EQ(tabs->widget(i)->objectName(), Q(page.name));
    EXPECT_EQ(tabs->tabText(i), Q(page.caption.russian));
  }
  EXPECT_EQ(tabs->tabText(0), "Принтер");
  EXPECT_EQ(tabs->currentWidget()->objectName(), "About");
}

// Their items, in both faces, are compared with the layout tables by the
// faces test.
TEST_F(MainWindowLayoutTest, ListsStartWithNothingSelected) {
  for (const char* name :
       {"ComPapersize", "ComPowersave", "ComBaudrate", "ComSource", "GrpPapertype", "GrpDensity",
        "GrpEconomode", "ListTypeface", "ListSymbol"}) {
    SCOPED_TRACE(name);
    QWidget* widget = Find(name);
    ASSERT_NE(widget, nullptr);
    int index = -2;
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      index = combo->currentIndex();
      EXPECT_EQ(combo->maxVisibleItems(), 8);
      EXPECT_EQ(combo->isEditable(),
                std::string_view(name) == "ComBaudrate" || std::string_view(name) == "ComSource");
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
      index = list->selectedItems().isEmpty() ? -1 : list->row(list->selectedItems().front());
      EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    } else if (auto* group = qobject_cast<RadioGroup*>(widget)) {
      index = group->ItemIndex();
    }
    EXPECT_EQ(index, -1);
  }
  EXPECT_FALSE(qobject_cast<QAbstractButton*>(Find("BtnPortrait"))->isChecked());
  EXPECT_FALSE(qobject_cast<QAbstractButton*>(Find("BtnLandscape"))->isChecked());
}

TEST_F(MainWindowLayoutTest, DropDownListsShowEightEntriesOfThirteenPixels) {
  window_.show();
  window_.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window_.FindControl("Page"));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  auto* combo = qobject_cast<QComboBox*>(Find("ComPapersize"));  // 13 entries
  combo->showPopup();
  QApplication::processEvents();
  const QAbstractItemView* view = combo->view();
  EXPECT_EQ(view->sizeHintForRow(0), 13);
  EXPECT_EQ(view->viewport()->height(), 8 * 13);
  combo->hidePopup();

  for (const char* name : {"ListTypeface", "ListSymbol"}) {
    EXPECT_EQ(qobject_cast<QListWidget*>(Find(name))->sizeHintForRow(0), 13) << name;
  }
}

// The name of the control a focus stop belongs to (a spin field's editor, a
// radio group's button, the page control's tab bar).
QString OwnerName(QWidget* widget, const QSet<QString>& names) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (names.contains(w->objectName())) return w->objectName();
  }
  return {};
}

void ExpectedChain(std::string_view container, QStringList& chain) {
  std::vector<const ControlLayout*> stops;
  for (const ControlLayout* row : WidgetRows()) {
    if (row->parent == container && row->tab_order != kNoTabStop) stops.push_back(row);
  }
  std::sort(stops.begin(), stops.end(), [](const ControlLayout* a, const ControlLayout* b) {
    return a->tab_order < b->tab_order;
  });
  for (const ControlLayout* row : stops) {
    // Of the orientation pair only the checked button is a stop; the test
    // checks the first.
    if (row->name == "BtnLandscape") continue;
    if (row->kind == ControlKind::GroupBox) {
      ExpectedChain(row->name, chain);
      continue;
    }
    chain << Q(row->name);
    if (row->kind == ControlKind::PageControl) {
      for (const PageLayout& page : Pages()) ExpectedChain(page.name, chain);
    }
  }
}

TEST_F(MainWindowLayoutTest, FocusChainFollowsTabOrdersContainerByContainer) {
  QStringList expected;
  ExpectedChain("ZLR", expected);
  ASSERT_EQ(expected.size(), 21);  // every control with a tab order but the frames

  // Radio buttons are stops only while checked.
  qobject_cast<QAbstractButton*>(Find("BtnPortrait"))->setChecked(true);
  for (const ControlLayout* row : WidgetRows()) {
    if (row->kind == ControlKind::RadioGroup) {
      qobject_cast<RadioGroup*>(Find(row->name))->SetItemIndex(0);
    }
  }
  // Every page made, in another order than the tabs'.
  QSet<QString> names;
  for (const ControlLayout* row : WidgetRows()) {
    ASSERT_NE(Find(row->name), nullptr) << row->name;
    names.insert(Q(row->name));
  }
  QStringList actual;
  QWidget* widget = &window_;
  do {
    widget = widget->nextInFocusChain();
    if (!(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy() != nullptr) continue;
    if (widget->window() != &window_) continue;
    const QString owner = OwnerName(widget, names);
    ASSERT_FALSE(owner.isEmpty()) << widget->metaObject()->className();
    if (actual.isEmpty() || actual.back() != owner) actual << owner;
  } while (widget != &window_);
  EXPECT_EQ(actual, expected);
}

TEST_F(MainWindowLayoutTest, FlatButtonsPicturesAndLabelsTakeNoFocus) {
  for (const ControlLayout* row : WidgetRows()) {
    if (row->tab_order != kNoTabStop) continue;
    QWidget* widget = Find(row->name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus) << row->name;
  }
}

struct ExpectedSpin {
  const char* name;
  SpinField::ValueType type;
  long double min, max, increment;
  std::size_t max_length;
  const char* text;  // with '.' as separator
};

TEST_F(MainWindowLayoutTest, SpinFieldsHaveTheirRangesAndTextsAtCreation) {
  const ExpectedSpin expected[] = {
      {"SpinTimeout", SpinField::ValueType::Integer, 10, 300, 1, 0, "0"},
      {"SpinLpi", SpinField::ValueType::Integer, 5, 128, 1, 0, "0"},
      {"SpinCopies", SpinField::ValueType::Integer, 1, 99, 1, 0, "0"},
      {"RxSpinEdit1", SpinField::ValueType::Integer, 75, 216, 1, 3, "75"},
      {"RxSpinEdit2", SpinField::ValueType::Integer, 125, 356, 1, 0, "0"},
      {"SpinPitch", SpinField::ValueType::Decimal, 0.44L, 99.99L, 0.01L, 0, "0.44"},
      {"SpinPoint", SpinField::ValueType::Decimal, 4, 999.75L, 0.25L, 0, "4.00"},
  };
  window_.show();  // children are arranged once the window shows
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  QTabWidget* tabs = window_.findChild<QTabWidget*>("PageControl1");
  for (const ExpectedSpin& e : expected) {
    SCOPED_TRACE(e.name);
    auto* spin = qobject_cast<SpinEdit*>(Find(e.name));
    ASSERT_NE(spin, nullptr);
    const SpinField::Properties& p = spin->Field().properties();
    EXPECT_EQ(p.value_type, e.type);
    EXPECT_DOUBLE_EQ(static_cast<double>(p.min_value), static_cast<double>(e.min));
    EXPECT_DOUBLE_EQ(static_cast<double>(p.max_value), static_cast<double>(e.max));
    EXPECT_DOUBLE_EQ(static_cast<double>(p.increment), static_cast<double>(e.increment));
    if (e.type == SpinField::ValueType::Decimal) {
      EXPECT_EQ(p.decimal, 2);
    }
    EXPECT_EQ(p.max_length, e.max_length);
    if (e.max_length > 0) {
      EXPECT_EQ(spin->Editor()->maxLength(), static_cast<int>(e.max_length));
    }

    std::string text = e.text;
    for (char& c : text) {
      if (c == '.') c = spin->Field().decimal_separator();
    }
    EXPECT_EQ(spin->Editor()->text().toStdString(), text);
    EXPECT_EQ(spin->Editor()->text().toStdString(), text);

    // The text area ends where the square spin button begins (looked at with
    // the field's page showing).
    QWidget* page = spin->parentWidget();
    while (page->parentWidget() != nullptr && page->parentWidget()->parentWidget() != tabs) {
      page = page->parentWidget();
    }
    tabs->setCurrentWidget(page);
    QApplication::processEvents();
    const QRect editor = spin->Editor()->geometry();
    const QRect button = spin->Button()->geometry();
    EXPECT_LE(editor.right(), button.left() - 1);
    EXPECT_EQ(button.width(), button.height());
    EXPECT_EQ(button.height(), spin->contentsRect().height());
    EXPECT_EQ(button.right(), spin->contentsRect().right());
  }
}

TEST_F(MainWindowLayoutTest, StatusBarTimerAndGaugeAsStored) {
  StatusBar* bar = window_.findChild<StatusBar*>("SBar");
  EXPECT_EQ(bar->PanelText(0), "  Статус");
  EXPECT_EQ(bar->PanelText(1), "");
  // Two panels 50 and 389 pixels wide, the last to the right edge: each
  // bevel's dark left edge, and its light right edge two pixels short of the
  // panel's end.
  const QImage drawn = bar->grab().toImage();
  EXPECT_EQ(drawn.size(), QSize(439, 24));
  EXPECT_EQ(testing::EdgeColumns(drawn, bar->palette().color(QPalette::Dark)),
            (std::vector<int>{0, 50}));
  EXPECT_EQ(testing::EdgeColumns(drawn, bar->palette().color(QPalette::Light)),
            (std::vector<int>{47, 436}));

  QTimer* timer = window_.findChild<QTimer*>("Timer1");
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), 30000);
  EXPECT_FALSE(timer->isActive());

  auto* gauge = qobject_cast<Gauge*>(Find("Gauge"));
  ASSERT_NE(gauge, nullptr);
  EXPECT_EQ(gauge->Minimum(), 0);
  EXPECT_EQ(gauge->Maximum(), 100);
  EXPECT_EQ(gauge->Progress(), 0);

  // Both orientation pictures and both custom-size fields show until start-up.
  for (const char* name : {"Image2", "Image3", "RxSpinEdit1", "RxSpinEdit2"}) {
    EXPECT_FALSE(Find(name)->isHidden()) << name;
  }
  auto* image1 = qobject_cast<QLabel*>(Find("Image1"));
  EXPECT_TRUE(image1->hasScaledContents());
  EXPECT_FALSE(image1->pixmap().isNull());
}

// The timer is the one row that is no widget.
TEST_F(MainWindowLayoutTest, TheTimerRowIsTheWindowsTimer) {
  int timers = 0;
  for (const ControlLayout* row : AllLayoutRows()) {
    if (row->kind != ControlKind::Timer) continue;
    ++timers;
    EXPECT_NE(window_.findChild<QTimer*>(Q(row->name)), nullptr) << row->name;
  }
  EXPECT_EQ(timers, 1);
}

// The English texts themselves are compared with the window in the faces
// test; what lies outside the caption table has none.
TEST(WindowLayout, CaptionIdOutsideTheTableHasNoEnglish) {
  EXPECT_EQ(EnglishCaption(0), "");
  EXPECT_EQ(EnglishCaption(69), "");
}

}  // namespace
}  // namespace zelora
