// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window as built, before start-up: every control checked against the
// layout written out here once more, independently of the layout tables.

#include <gtest/gtest.h>

#include "qt_print.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
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
#include "main_window.h"
#include "memory_registry.h"
#include "radio_group.h"
#include "recording_fakes.h"
#include "settings_key.h"
#include "settings_store.h"
#include "spin_edit.h"
#include "status_bar.h"
#include "support/recording_port.h"
#include "window_layout.h"

namespace zelora {
namespace {

struct Expected {
  const char* name;
  const char* qt_class;
  const char* parent;
  int left, top, width, height;
  int tab_order;        // -1: not a tab stop
  const char* state;    // "", "hidden", "disabled" or "hidden disabled"
  const char* caption;  // nullptr: the kind has no caption
  const char* hint;
};

constexpr const char* kFlat = "zelora::FlatButton";
constexpr const char* kLabel = "QLabel";
constexpr const char* kShadow = "zelora::ShadowedLabel";
constexpr const char* kCombo = "QComboBox";
constexpr const char* kSpin = "zelora::SpinEdit";
constexpr const char* kGroup = "QGroupBox";

// clang-format off
const Expected kExpected[] = {
  {"BtnApply",      kFlat, "ZLR",   8, 234,  61, 41, -1, "", "Отправить", "Сохраните измененные значения"},
  {"BtnDefault",    kFlat, "ZLR",  72, 234,  89, 41, -1, "", "По умолчанию", "Установите значение По умолчанию"},
  {"BtnFormfeed",   kFlat, "ZLR", 216, 234, 105, 41, -1, "", "Подача страницы", "Отправление команды Подача страницы"},
  {"BtnHelp",       kFlat, "ZLR", 328, 234,  53, 41, -1, "", "Справка", "Справка"},
  {"BtnExit",       kFlat, "ZLR", 384, 234,  45, 41, -1, "", "Выход", "Выход"},
  {"BtnReset",      kFlat, "ZLR", 168, 234,  45, 41, -1, "", "Сброс", "Перезапуск принтера"},
  {"PageControl1",  "QTabWidget", "ZLR", 8, 8, 425, 217, 0, "", nullptr, ""},
  {"SBar",          "zelora::StatusBar", "ZLR", 0, 285, 439, 24, -1, "", nullptr, ""},
  // Printer
  {"GroupBox1",     kGroup, "Printer",    24,   8, 193, 169, 0, "", "", ""},
  {"GroupBox2",     kGroup, "Printer",   240,   8, 169, 169, 1, "", "", ""},
  {"Label1",        kLabel, "GroupBox1",   8,   8,  54,  13, -1, "hidden", "Baud Rate ", ""},
  {"Label2",        kLabel, "GroupBox1",   8,  40,  49,  13, -1, "", "Тайм-аут ", ""},
  {"Label3",        kLabel, "GroupBox1",   8, 104,  63,  13, -1, "", "Эк. энергии ", ""},
  {"ComBaudrate",   kCombo, "GroupBox1",  96,   8,  89,  21, 0, "hidden disabled", nullptr, ""},
  {"SpinTimeout",   kSpin,  "GroupBox1",  96,  40,  57,  21, 1, "", nullptr, "Установите параметр Тайм-аут для принтера"},
  {"ComPowersave",  kCombo, "GroupBox1",  96, 104,  89,  21, 2, "", nullptr, "Установите режим экономии электроэнергии"},
  {"Label4",        kLabel, "GroupBox2",   8,  40,  50,  13, -1, "", "Эмуляция", ""},
  {"RxLabel1",      kShadow, "GroupBox2", 64,  40,  34,  13, -1, "", "PCL5e", ""},
  {"ChkAutocont",   "QCheckBox", "GroupBox2", 8,   8,  97, 17, 0, "hidden disabled", "Auto continue", ""},
  {"ChkJamrecover", "QCheckBox", "GroupBox2", 8, 104, 153, 17, 1, "", "Восстановл. после застр.",
   "Установите параметр Восстановление после устранения застревания бумаги"},
  {"ChkRobust",     "QCheckBox", "GroupBox2", 8, 144,  89, 17, 2, "hidden disabled", "Robust XON", ""},
  // Page
  {"GroupBox3",     kGroup, "Page",       16,   8, 177, 177, 0, "", "", ""},
  {"GrpPapertype",  "zelora::RadioGroup", "Page", 208, 112, 177, 57, 1, "hidden disabled", "Paper Type", ""},
  {"GroupBox4",     kGroup, "Page",      208,   8, 177,  87, 2, "", "Ориентация", "Установите параметр Ориентация"},
  {"Label5",        kLabel, "GroupBox3",   8,  16,  69,  13, -1, "", "Разм. бумаги", ""},
  {"Label6",        kLabel, "GroupBox3",   8, 159,  34,  13, -1, "hidden", "Source", ""},
  {"Label7",        kLabel, "GroupBox3",   8, 101,  68,  13, -1, "", "Строк на стр.", ""},
  {"Label8",        kLabel, "GroupBox3",   8, 144,  31,  13, -1, "", "Копии", ""},
  {"Label13",       kLabel, "GroupBox3",  10,  40,  39,  13, -1, "", "Ширина", ""},
  {"Label14",       kLabel, "GroupBox3", 110,  40,  38,  13, -1, "", "Высота", ""},
  {"ComPapersize",  kCombo, "GroupBox3",  88,  12,  79,  21, 0, "", nullptr, "Установите Размер бумаги"},
  {"ComSource",     kCombo, "GroupBox3",  88, 166,  81,  21, 1, "hidden disabled", nullptr, ""},
  {"SpinLpi",       kSpin,  "GroupBox3", 110, 102,  57,  21, 2, "", nullptr, "Установите параметр Строки на страницу"},
  {"SpinCopies",    kSpin,  "GroupBox3", 110, 138,  57,  21, 3, "", nullptr, "Установите параметр Копии"},
  {"RxSpinEdit1",   kSpin,  "GroupBox3",  10,  60,  57,  21, 4, "", nullptr, ""},
  {"RxSpinEdit2",   kSpin,  "GroupBox3", 110,  60,  57,  21, 5, "", nullptr, ""},
  {"Image2",        kLabel, "GroupBox4", 112,  24,  33,  33, -1, "", "", ""},
  {"Image3",        kLabel, "GroupBox4", 112,  24,  33,  33, -1, "", "", ""},
  {"BtnPortrait",   "zelora::RadioButton", "GroupBox4", 8, 24, 89, 17, 0, "", "Вертикально", ""},
  {"BtnLandscape",  "zelora::RadioButton", "GroupBox4", 8, 48, 89, 25, 1, "", "Горизонтально", ""},
  // Font
  {"Label9",        kLabel, "Font",        8,   8,  52,  13, -1, "", "Гарнитура", ""},
  {"Label10",       kLabel, "Font",      256,   8,  67,  13, -1, "", "Наб. символ.", ""},
  {"Label11",       kLabel, "Font",        8, 144,  62,  13, -1, "", "Шаг шрифта", ""},
  {"Label12",       kLabel, "Font",      256, 144,  59,  13, -1, "", "Р-р в пункт.", ""},
  {"ListTypeface",  "QListWidget", "Font", 8,  24, 209, 113, 0, "", nullptr, "Установите параметр Гарнитура шрифта"},
  {"ListSymbol",    "QListWidget", "Font", 256, 24, 139, 113, 1, "", nullptr, "Установите Символ"},
  {"SpinPitch",     kSpin,  "Font",        8, 160,  65,  21, 2, "", nullptr, "Установите Шаг шрифта"},
  {"SpinPoint",     kSpin,  "Font",      256, 160,  65,  21, 3, "", nullptr, "Установите Размер в пунктах"},
  // Quality
  {"GrpDensity",    "zelora::RadioGroup", "Quality",  56, 24, 121, 145, 0, "", "Плотность ", "Установите Плотность"},
  {"GrpEconomode",  "zelora::RadioGroup", "Quality", 240, 24, 121, 145, 1, "", "Режим Econo", "Установите режим Econo"},
  // About
  {"RxLabel2",      kShadow, "About",    159,   8, 208,  13, -1, "", "Zelora", ""},
  {"RxLabel3",      kShadow, "About",    159,  32,  57,  13, -1, "", "Версия 1.0", ""},
  {"RxLabel4",      kShadow, "About",    159,  56, 258,  13, -1, "", "© Quorvan. Все права защищены.", ""},
  {"RxLabel5",      kShadow, "About",    167,  80,   5,  13, -1, "", "", ""},
  {"BtnConfig",     kFlat,   "About",    120, 136, 137,  49, -1, "", "Страница конфигурации", "Печать Отчета состояния"},
  {"BtnTestPrt",    kFlat,   "About",    264, 136, 153,  49, -1, "", "Демонстрационный список", "Печать Демонстрационного списка"},
  {"Gauge",         "zelora::Gauge", "About", 120, 118, 297, 16, -1, "hidden", nullptr, ""},
  {"Panel1",        "QFrame", "About",     8,  10, 140,  92, -1, "", nullptr, ""},
  {"Image1",        kLabel,   "Panel1",    1,   1, 138,  90, -1, "", "", ""},
};

// clang-format on

const char* const kPageNames[] = {"Printer", "Page", "Font", "Quality", "About"};
const char* const kPageCaptions[] = {"Принтер", "Страница", "Шрифт", "Качество",
                                     "О программе /Тест"};

QString Q(const char* text) { return QString::fromUtf8(text); }

class MainWindowLayoutTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TZLR::ApplyApplicationLook(); }

  MemoryRegistry registry_;
  SettingsStore store_{registry_};
  testing::RecordingPrinterPort port_;
  StrictBoxes boxes_;
  TZLR window_{store_, port_, boxes_};

  QWidget* Find(const char* name) { return window_.findChild<QWidget*>(Q(name)); }
};

TEST_F(MainWindowLayoutTest, WindowIsFixedSizeDialogWithItsFont) {
  EXPECT_EQ(window_.objectName(), "ZLR");
  EXPECT_STREQ(window_.metaObject()->className(), "zelora::TZLR");
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

TEST_F(MainWindowLayoutTest, EveryControlHasItsKindPlaceStateAndTexts) {
  QSet<QString> expected_names;
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.name);
    expected_names.insert(Q(e.name));
    QWidget* widget = Find(e.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), e.qt_class);
    ASSERT_NE(widget->parentWidget(), nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), Q(e.parent));

    // Captioned labels, check boxes and radio buttons widen when their text
    // needs more room than the stored width; nothing else ever differs.
    int width = e.width;
    if (widget->inherits("QLabel") || widget->inherits("QCheckBox") ||
        widget->inherits("QRadioButton")) {
      if (e.caption != nullptr && *e.caption != '\0') {
        width = std::max(width, widget->sizeHint().width());
      }
    }
    EXPECT_EQ(widget->geometry(), QRect(e.left, e.top, width, e.height));

    const std::string state = e.state;
    EXPECT_EQ(widget->isHidden(), state.find("hidden") != std::string::npos);
    EXPECT_EQ(widget->isEnabled(), state.find("disabled") == std::string::npos);

    if (e.caption != nullptr) {
      QString caption;
      if (auto* label = qobject_cast<QLabel*>(widget)) {
        caption = label->text();
      } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        caption = button->text();
      } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        caption = group->title();
      } else {
        ADD_FAILURE() << "no caption accessor";
      }
      EXPECT_EQ(caption, Q(e.caption));
    }
    EXPECT_EQ(widget->property("hint").toString(), Q(e.hint));
    const QVariant tab_order = widget->property("tabOrder");
    EXPECT_EQ(tab_order.isValid() ? tab_order.toInt() : -1, e.tab_order);
    EXPECT_TRUE(widget->toolTip().isEmpty());
  }

  // Nothing else carries a name of its own (but the tab bar's own scroll
  // buttons).
  for (const char* page : kPageNames) expected_names.insert(Q(page));
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
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(tabs->widget(i)->objectName(), Q(kPageNames[i]));
    EXPECT_EQ(tabs->tabText(i), Q(kPageCaptions[i]));
  }
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
  window_.PageControl()->setCurrentWidget(window_.FindControl("Page"));
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

void ExpectedChain(const QString& container, QStringList& chain) {
  std::vector<const Expected*> stops;
  for (const Expected& e : kExpected) {
    if (Q(e.parent) == container && e.tab_order >= 0) stops.push_back(&e);
  }
  std::sort(stops.begin(), stops.end(),
            [](const Expected* a, const Expected* b) { return a->tab_order < b->tab_order; });
  for (const Expected* e : stops) {
    // Of the orientation pair only the checked button is a stop; the test
    // checks the first.
    if (std::string(e->name) == "BtnLandscape") continue;
    if (std::string(e->qt_class) == kGroup) {
      ExpectedChain(Q(e->name), chain);
      continue;
    }
    chain << Q(e->name);
    if (std::string(e->name) == "PageControl1") {
      for (const char* page : kPageNames) ExpectedChain(Q(page), chain);
    }
  }
}

TEST_F(MainWindowLayoutTest, FocusChainFollowsTabOrdersContainerByContainer) {
  QStringList expected;
  ExpectedChain("ZLR", expected);
  ASSERT_EQ(expected.size(), 21);  // every control with a tab order but the frames

  // Radio buttons are stops only while checked.
  qobject_cast<QAbstractButton*>(Find("BtnPortrait"))->setChecked(true);
  for (const Expected& e : kExpected) {
    if (std::string(e.qt_class) == "zelora::RadioGroup") {
      qobject_cast<RadioGroup*>(Find(e.name))->SetItemIndex(0);
    }
  }
  QSet<QString> names;
  for (const Expected& e : kExpected) names.insert(Q(e.name));
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
  for (const Expected& e : kExpected) {
    if (e.tab_order >= 0) continue;
    QWidget* widget = Find(e.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus) << e.name;
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
  QTabWidget* tabs = window_.PageControl();
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
    EXPECT_EQ(spin->Text(), text);
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
  StatusBar* bar = window_.SBar();
  ASSERT_EQ(bar->PanelCount(), 2);
  EXPECT_EQ(bar->PanelText(0), "  Статус");
  EXPECT_EQ(bar->PanelText(1), "");
  EXPECT_EQ(bar->PanelRect(0), QRect(0, 0, 50, 24));
  EXPECT_EQ(bar->PanelRect(1), QRect(50, 0, 389, 24));  // to the right edge

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

std::vector<const ControlLayout*> AllLayoutRows() {
  std::vector<const ControlLayout*> rows;
  for (const ControlLayout& row : WindowControls()) rows.push_back(&row);
  for (const PageLayout& page : Pages()) {
    for (const ControlLayout& row : page.controls) rows.push_back(&row);
  }
  return rows;
}

TEST_F(MainWindowLayoutTest, EveryLayoutRowIsAControlOfTheWindow) {
  QSet<QString> expected;
  for (const Expected& e : kExpected) expected.insert(Q(e.name));
  expected.insert("Timer1");
  int rows = 0;
  for (const ControlLayout* row : AllLayoutRows()) {
    const QString name = QString::fromUtf8(row->name.data(), static_cast<int>(row->name.size()));
    EXPECT_TRUE(expected.contains(name)) << name.toStdString();
    EXPECT_NE(window_.findChild<QObject*>(name), nullptr) << name.toStdString();
    ++rows;
  }
  EXPECT_EQ(rows, static_cast<int>(std::size(kExpected)) + 1);
}

// The English texts themselves are compared with the window in the faces
// test; what lies outside the caption table has none.
TEST(WindowLayout, CaptionIdOutsideTheTableHasNoEnglish) {
  EXPECT_EQ(EnglishCaption(0), "");
  EXPECT_EQ(EnglishCaption(69), "");
}

}  // namespace
}  // namespace zelora
