// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls as a user meets them: mouse clicks, keys, input-method
// commits and drops on the real window, and what the window then shows.

#include <gtest/gtest.h>

#include "qt_print.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QCursor>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QMimeData>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "fake_window_seams.h"
#include "main_window.h"
#include "memory_registry.h"
#include "radio_group.h"
#include "settings_key.h"
#include "settings_store.h"
#include "spin_edit.h"
#include "status_bar.h"
#include "status_bar_pixels.h"
#include "test_printer.h"

namespace zelora {
namespace {

constexpr std::string_view kKey = kSettingsKeyPath;

class ControlBehaviourTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TZLR::ApplyApplicationLook(); }

  // Start-up with what the registry holds, the window shown and active.
  void Open() {
    window_.Open();
    QApplication::setActiveWindow(&window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }
  QWidget* Find(const char* name) { return window_.FindControl(name); }
  template <typename T>
  T* Find(const char* name) {
    return qobject_cast<T*>(Find(name));
  }
  // Every page shown, and every control, those never shown included, made.
  void MakeEveryControl() {
    for (const PageLayout& page : Pages()) ShowPage(page.name);
    for (std::size_t i = 0; i < kControlCount; ++i) {
      window_.FindControl(ControlName(static_cast<Control>(i)));
    }
  }
  void ShowPage(std::string_view page) {
    window_.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window_.FindControl(page));
  }

  // The control a focus stop belongs to; a radio group's item as
  // "Group[index]".
  QString StopName(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
      if (auto* group = qobject_cast<RadioGroup*>(w)) {
        for (int i = 0; i < group->Count(); ++i) {
          if (group->Item(i) == widget) return group->objectName() + QString("[%1]").arg(i);
        }
      }
      if (w == window_.findChild<QTabWidget*>("PageControl1")) return w->objectName();
      if (!w->objectName().isEmpty() && window_.FindControl(w->objectName().toStdString()) == w) {
        return w->objectName();
      }
    }
    return {};
  }

  MemoryRegistry registry_;
  SettingsStore store_{registry_};
  testing::TestPrinter printer_{store_};
  testing::RecordingBoxes boxes_;
  TZLR window_{store_, printer_.port(), boxes_};
};

// ---------------------------------------------------------------------------
// Keyboard navigation

TEST_F(ControlBehaviourTest, TabVisitsOnlyTheCheckedRadioButtons) {
  registry_.PutDword(kKey, "R_orientation", 0);  // landscape
  registry_.PutDword(kKey, "R_density", 1);
  registry_.PutDword(kKey, "R_economode", 1);
  registry_.PutDword(kKey, "R_papersize", 12);  // custom-size fields show
  registry_.PutDword(kKey, "R_typeface", 47);   // neither pitch nor point size
  Open();

  struct Case {
    const char* page;
    bool backwards;
    QStringList stops;
  };
  const Case cases[] = {
      {"Printer", false, {"SpinTimeout", "ComPowersave", "ChkJamrecover", "PageControl1"}},
      {"Page",
       false,
       {"ComPapersize", "SpinLpi", "SpinCopies", "RxSpinEdit1", "RxSpinEdit2", "BtnLandscape",
        "PageControl1"}},
      {"Page", true, {"BtnLandscape", "RxSpinEdit2"}},
      {"Font", false, {"ListTypeface", "ListSymbol", "PageControl1"}},
      {"Quality", false, {"GrpDensity[1]", "GrpEconomode[1]", "PageControl1"}},
      {"Quality", true, {"GrpEconomode[1]", "GrpDensity[1]", "PageControl1"}},
      {"About", false, {"PageControl1"}},
  };
  for (const Case& c : cases) {
    ShowPage(c.page);
    window_.findChild<QTabWidget*>("PageControl1")->tabBar()->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (qsizetype i = 0; i < c.stops.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), c.backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                      c.backwards ? Qt::ShiftModifier : Qt::NoModifier);
      visited << StopName(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, c.stops) << c.page << (c.backwards ? " backwards" : "");
  }

  // The stop follows the check; a group with nothing checked is no stop; a
  // scalable face makes point size a stop.
  QTest::mouseClick(Find("BtnPortrait"), Qt::LeftButton);
  window_.Values().SetItemIndex(Control::GrpDensity, -1);
  window_.Values().SetItemIndex(Control::ListTypeface, 17);
  window_.ApplyTypefaceRule();
  const std::pair<const char*, QStringList> after[] = {
      {"Page",
       {"ComPapersize", "SpinLpi", "SpinCopies", "RxSpinEdit1", "RxSpinEdit2", "BtnPortrait",
        "PageControl1"}},
      {"Font", {"ListTypeface", "ListSymbol", "SpinPoint", "PageControl1"}},
      {"Quality", {"GrpEconomode[1]", "PageControl1"}},
  };
  for (const auto& [page, stops] : after) {
    ShowPage(page);
    window_.findChild<QTabWidget*>("PageControl1")->tabBar()->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (qsizetype i = 0; i < stops.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << StopName(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, stops) << page;
  }
}

// Ctrl+Tab and Ctrl+Shift+Tab turn one page on or back, whichever control has
// the focus.
TEST_F(ControlBehaviourTest, CtrlTabTurnsThePageFromEveryControl) {
  Open();
  const auto* pages = window_.findChild<QTabWidget*>("PageControl1");
  for (const auto& [page, control] :
       {std::pair{"Page", "ComPapersize"}, std::pair{"Font", "ListTypeface"},
        std::pair{"Page", "SpinLpi"}}) {
    for (const int step : {1, -1}) {
      ShowPage(page);
      Find(control)->setFocus();
      const int expected = (pages->currentIndex() + step + pages->count()) % pages->count();
      QTest::keyClick(QApplication::focusWidget(), step > 0 ? Qt::Key_Tab : Qt::Key_Backtab,
                      step > 0 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
      EXPECT_EQ(pages->currentIndex(), expected) << control << " " << step;
    }
  }
}

// ---------------------------------------------------------------------------
// Radio buttons

TEST_F(ControlBehaviourTest, RadioButtonTakesClicksOnItsWholeRectangle) {
  registry_.PutDword(kKey, "R_orientation", 1);  // portrait
  Open();
  ShowPage("Page");
  auto* landscape = Find<QRadioButton>("BtnLandscape");
  ASSERT_NE(landscape, nullptr);
  ASSERT_GT(landscape->height(), 20);  // taller than its indicator and text

  // Its edge rows, beside the indicator, where the toolkit's own hit area
  // ends short of the rectangle.
  for (const int y : {1, landscape->height() - 1}) {
    QTest::mouseClick(Find("BtnPortrait"), Qt::LeftButton);
    ASSERT_FALSE(landscape->isChecked());
    ASSERT_FALSE(Find("Image2")->isHidden());
    QTest::mouseClick(landscape, Qt::LeftButton, Qt::NoModifier, QPoint(4, y));
    EXPECT_TRUE(landscape->isChecked()) << y;
    EXPECT_TRUE(Find("Image2")->isHidden()) << y;
    EXPECT_FALSE(Find("Image3")->isHidden()) << y;
  }

  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(landscape);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->rect(), QRect(landscape->mapToGlobal(QPoint(0, 0)), landscape->size()));
  EXPECT_EQ(accessible->role(), QAccessible::RadioButton);
  EXPECT_TRUE(accessible->state().checked);
}

// ---------------------------------------------------------------------------
// Hourglass

TEST_F(ControlBehaviourTest, HourglassCoversOnlyTheWindowsOwnSurface) {
  Open();
  ShowPage("About");
  QTest::mouseClick(Find("BtnConfig"), Qt::LeftButton);  // starts the busy lock-out
  ASSERT_TRUE(window_.findChild<QTimer*>("Timer1")->isActive());

  struct Case {
    QWidget* widget;
    Qt::CursorShape busy;
    Qt::CursorShape idle;
  };
  const Case cases[] = {
      {&window_, Qt::WaitCursor, Qt::ArrowCursor},
      {Find<SpinEdit>("SpinTimeout")->Editor(), Qt::IBeamCursor, Qt::IBeamCursor},
      {Find<SpinEdit>("SpinTimeout")->Button(), Qt::ArrowCursor, Qt::ArrowCursor},
      {Find("BtnApply"), Qt::ArrowCursor, Qt::ArrowCursor},
      {Find("BtnConfig"), Qt::ArrowCursor, Qt::ArrowCursor},
      {Find("SBar"), Qt::ArrowCursor, Qt::ArrowCursor},
      {Find("Page"), Qt::ArrowCursor, Qt::ArrowCursor},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.widget->cursor().shape(), c.busy) << c.widget->metaObject()->className();
  }
  QMetaObject::invokeMethod(window_.findChild<QTimer*>("Timer1"), "timeout");  // the lock-out ends
  for (const Case& c : cases) {
    EXPECT_EQ(c.widget->cursor().shape(), c.idle) << c.widget->metaObject()->className();
  }
}

// ---------------------------------------------------------------------------
// Texts that must fit

TEST_F(ControlBehaviourTest, ClosedDropDownListsShowEveryEntryWhole) {
  Open();
  MakeEveryControl();
  const QList<QComboBox*> combos = window_.findChildren<QComboBox*>();
  ASSERT_EQ(combos.size(), 4);
  for (QComboBox* combo : combos) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    option.frame = combo->hasFrame();
    const QRect text = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, combo);
    for (int i = 0; i < combo->count(); ++i) {
      EXPECT_LE(combo->fontMetrics().horizontalAdvance(combo->itemText(i)), text.width())
          << combo->objectName().toStdString() << " " << combo->itemText(i).toStdString();
    }
    // The arrow button is still there, right of the text.
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxArrow, combo);
    EXPECT_GE(arrow.width(), 10);
    EXPECT_GT(arrow.left(), text.right());
  }
  for (const char* name : {"ListTypeface", "ListSymbol"}) {
    EXPECT_EQ(Find<QListWidget>(name)->textElideMode(), Qt::ElideNone) << name;
  }
}

TEST_F(ControlBehaviourTest, LongestHintFitsTheHintLine) {
  Open();
  ShowPage("Printer");
  QWidget* jam = Find("ChkJamrecover");
  QCursor::setPos(jam->mapToGlobal(jam->rect().center()));
  QTest::qWait(20);
  StatusBar* bar = window_.findChild<StatusBar*>("SBar");
  ASSERT_EQ(bar->PanelText(1), jam->property("hint").toString());
  // Every hint of the window, the longest included, shows whole. The panel
  // cuts off what does not fit, and a hint cut off short of its last
  // character would look the same without it.
  MakeEveryControl();
  const auto drawn = [bar](const QString& text) {
    bar->SetPanelText(1, text);
    return bar->grab().toImage();
  };
  for (QWidget* widget : window_.findChildren<QWidget*>()) {
    const QString hint = widget->property("hint").toString();
    if (hint.isEmpty()) continue;
    EXPECT_NE(drawn(hint), drawn(hint.chopped(1))) << widget->objectName().toStdString();
  }
  // A short text keeps the window's font: its ink is as wide as in that font.
  const QImage caption = bar->grab().toImage();
  const std::vector<int> ink = testing::InkColumns(
      caption, 1, testing::EdgeColumns(caption, bar->palette().color(QPalette::Light))[0] - 1,
      bar->palette().color(QPalette::Window));
  ASSERT_FALSE(ink.empty());
  EXPECT_EQ(ink.back() - ink.front() + 1,
            QFontMetrics(bar->font()).tightBoundingRect(bar->PanelText(0).trimmed()).width());
}

TEST_F(ControlBehaviourTest, GrownCaptionsKeepTheirPlaceAndHeight) {
  Open();
  ShowPage("Page");
  QApplication::processEvents();
  struct Case {
    const char* name;
    QRect stored;
  };
  const Case cases[] = {{"BtnPortrait", {8, 24, 89, 17}},
                        {"BtnLandscape", {8, 48, 89, 25}},
                        {"ChkJamrecover", {8, 104, 153, 17}}};
  for (const Case& c : cases) {
    const QRect shown = Find(c.name)->geometry();
    EXPECT_EQ(shown.topLeft(), c.stored.topLeft()) << c.name;
    EXPECT_EQ(shown.height(), c.stored.height()) << c.name;
    EXPECT_GE(shown.width(), c.stored.width()) << c.name;
  }
  EXPECT_TRUE(window_.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));
  EXPECT_FALSE(window_.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window_.minimumSize(), window_.maximumSize());
}

// ---------------------------------------------------------------------------
// Text that does not come from typed keys

TEST_F(ControlBehaviourTest, InputMethodCommitsPassTheTypingRuleDropsAreRefused) {
  Open();
  struct Case {
    const char* field;
    QString commit;
    const char* shown;
  };
  const Case cases[] = {
      {"SpinCopies", QString::fromUtf8("1\u00E42x3"), "123"},  // letters dropped
      {"SpinCopies", QString::fromUtf8("\u0661\u0662"), ""},   // digits of another script
      {"SpinPitch", QStringLiteral("-1.5e"), "-1.5"},          // the separator in a decimal field
      {"SpinCopies", QStringLiteral("1.5"), "15"},             // but not in an integer field
      {"RxSpinEdit1", QStringLiteral("12345"), "123"},         // at most three characters
  };
  for (const Case& c : cases) {
    auto* spin = Find<SpinEdit>(c.field);
    spin->Editor()->clear();
    spin->Editor()->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(c.commit);
    QApplication::sendEvent(spin->Editor(), &commit);
    EXPECT_EQ(spin->Editor()->text().toStdString(), c.shown)
        << c.field << " " << c.commit.toStdString();
  }

  auto* copies = Find<SpinEdit>("SpinCopies");
  copies->Editor()->setText("7");
  QMimeData dragged;
  dragged.setText("42abc");
  const QPoint at = copies->Editor()->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton, {});
  QApplication::sendEvent(copies->Editor(), &enter);
  EXPECT_FALSE(enter.isAccepted());
  QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &dragged, Qt::LeftButton, {});
  QApplication::sendEvent(copies->Editor(), &drop);
  EXPECT_FALSE(drop.isAccepted());
  EXPECT_EQ(copies->Editor()->text().toStdString(), "7");

  // Pasting stays as it is in any edit field.
  QGuiApplication::clipboard()->setText("4x");
  copies->Editor()->selectAll();
  QTest::keyClick(copies->Editor(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(copies->Editor()->text().toStdString(), "4x");
}

// ---------------------------------------------------------------------------
// Shadowed labels

TEST_F(ControlBehaviourTest, ShadowedLabelsShowTheirLightEdge) {
  Open();
  ShowPage("About");
  QApplication::processEvents();
  QWidget* label = Find("RxLabel2");
  const QImage image = label->grab().toImage();
  const int face = qGray(label->palette().color(QPalette::Window).rgb());
  int light = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) light += qGray(image.pixel(x, y)) >= face + 32;
  }
  EXPECT_GT(light, 10);  // edge pixels clearly lighter than the face
}

}  // namespace
}  // namespace zelora
