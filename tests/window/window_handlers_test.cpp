// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's handlers wired to their logic, end to end: the real window, a
// real settings file and the window's port on a FIFO that stands in for the
// printer, driven with the mouse and the keyboard.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gauge.h"
#include "hive_file_registry.h"
#include "main_window.h"
#include "port_value.h"
#include "recording_fakes.h"
#include "settings_key.h"
#include "settings_store.h"
#include "spin_edit.h"
#include "support/fake_window_seams.h"
#include "support/fifo_printer.h"
#include "support/loopback_printer.h"
#include "support/pjl_text.h"
#include "support/test_files.h"
#include "support/test_printer.h"

namespace zelora {
namespace {

using testing::DefaultJob;

using testing::RecordingBoxes;

class WindowHandlers : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TZLR::ApplyApplicationLook(); }

  WindowHandlers() {
    // The settings name the FIFO: Open chooses the port they name.
    port_.Select(port_path_);
    EXPECT_TRUE(store_.StorePort(port_path_));
    // The printer was last told A4 in portrait with 64 lines.
    std::optional<SettingsKey> key = SettingsKey::OpenForWriting(hive_);
    key->WriteInteger("R_papersize", 2);
    key->WriteFloat("R_lpi", 64.0L);
    key->WriteBool("R_orientation", true);
    key->WriteFloat("R_copies", 1.0L);
  }

  // Letter heads the list: Home on the closed list chooses it.
  void ChooseLetterAndSend() {
    window_.Open();
    auto* paper = static_cast<QComboBox*>(window_.FindControl("ComPapersize"));
    window_.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window_.FindControl("Page"));
    paper->setFocus();
    QTest::keyClick(paper, Qt::Key_Home);
    ASSERT_EQ(paper->currentIndex(), 0);
    QTest::mouseClick(window_.FindControl("BtnApply"), Qt::LeftButton);
  }

  // Opens the window, makes it the active one and types into the time-out
  // field over its text; the field being typed in, or null.
  static QWidget* OpenAndTypeTimeout(TZLR& window, const char* text) {
    window.Open();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) return nullptr;
    QWidget* field = static_cast<SpinEdit*>(window.FindControl("SpinTimeout"))->Editor();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    return QApplication::focusWidget() == field ? field : nullptr;
  }

  std::optional<double> Stored(const char* name) {
    std::optional<SettingsKey> key = SettingsKey::OpenForReading(hive_);
    if (!key || !key->ValueExists(name)) return std::nullopt;
    return static_cast<double>(key->ReadFloat(name));
  }
  std::optional<std::int32_t> StoredIndex(const char* name) {
    std::optional<SettingsKey> key = SettingsKey::OpenForReading(hive_);
    if (!key || !key->ValueExists(name)) return std::nullopt;
    return key->ReadInteger(name);
  }

  testing::TempDir dir_;
  std::string port_path_ = (dir_ / "lp0").string();
  std::optional<testing::FifoPrinter> printer_{std::in_place, port_path_};
  HiveFileRegistry hive_{dir_.path()};
  SettingsStore store_{hive_};
  SelectablePort port_;
  RecordingBoxes boxes_;
  RecordingHelp help_;  // outlives the window, which tells it to quit
  TZLR window_{store_, port_, boxes_};
};

TEST_F(WindowHandlers, LetterInPortraitReachesThePrinterAndTheSettingsFile) {
  ChooseLetterAndSend();

  EXPECT_EQ(printer_->Received(),
            DefaultJob("PAPER=LETTER") + DefaultJob("FORMLINES=60") + DefaultJob("FORMLINES=60"));
  EXPECT_EQ(StoredIndex("R_papersize"), 0);
  EXPECT_EQ(Stored("R_lpi"), 60.0);
  EXPECT_TRUE(boxes_.shown.empty());

  // Letter and its lines now count as sent: a second Send has nothing to send.
  QTest::mouseClick(window_.FindControl("BtnApply"), Qt::LeftButton);
  EXPECT_EQ(printer_->Received(),
            DefaultJob("PAPER=LETTER") + DefaultJob("FORMLINES=60") + DefaultJob("FORMLINES=60"));
}

TEST_F(WindowHandlers, WithNoPrinterThreeBoxesNothingStoredAndThePullStillRuns) {
  printer_.reset();

  ChooseLetterAndSend();

  EXPECT_EQ(boxes_.shown, std::vector<RecordingBoxes::Box>(3, RecordingBoxes::Box::SingleCommand));
  EXPECT_EQ(StoredIndex("R_papersize"), 2);
  EXPECT_EQ(Stored("R_lpi"), 64.0);

  // The window counts Letter as sent all the same: once the printer is back,
  // a second Send has nothing to send, and the settings file keeps A4.
  printer_.emplace(port_path_);
  QTest::mouseClick(window_.FindControl("BtnApply"), Qt::LeftButton);
  EXPECT_EQ(printer_->Received(), "");
  EXPECT_EQ(boxes_.shown.size(), 3u);
  EXPECT_EQ(StoredIndex("R_papersize"), 2);
  EXPECT_EQ(Stored("R_lpi"), 64.0);
}

// A flat button takes no focus, so the field being typed in keeps it and the
// pass reads the text as typed, before the field's own exit check.
TEST_F(WindowHandlers, SendReadsTheSpinFieldBeingTyped) {
  window_.Open();
  QApplication::setActiveWindow(&window_);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  window_.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window_.FindControl("Page"));
  auto* copies = static_cast<SpinEdit*>(window_.FindControl("SpinCopies"));
  QTest::mouseClick(copies->Editor(), Qt::LeftButton);
  QTest::keyClick(copies->Editor(), Qt::Key_End);
  QTest::keyClick(copies->Editor(), Qt::Key_Backspace);
  QTest::keyClicks(copies->Editor(), "7");
  QWidget* typing = QApplication::focusWidget();
  ASSERT_EQ(typing, copies->Editor());

  QTest::mouseClick(window_.FindControl("BtnApply"), Qt::LeftButton);

  EXPECT_EQ(QApplication::focusWidget(), typing);
  EXPECT_EQ(printer_->Received(), DefaultJob("COPIES=7"));
  EXPECT_EQ(Stored("R_copies"), 7.0);
}

// Every command from the keyboard alone, each with its desktop key while the
// field being typed in keeps the focus; the test buttons' keys act only on
// their page and not during the lock-out. A screen reader hears the keys.
TEST_F(WindowHandlers, EveryCommandWithinKeyboardReach) {
  const std::string uel = "\x1b%-12345X";
  window_.SetHelpEngine(help_);
  QWidget* typing = OpenAndTypeTimeout(window_, "45");
  ASSERT_NE(typing, nullptr);
  QTest::keyClick(typing, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), typing);
  EXPECT_EQ(Stored("R_timeout"), 45.0);
  const auto page = [&](const char* name) {
    window_.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window_.FindControl(name));
  };
  const struct {
    const char* page;
    QKeyCombination key;
    std::string reaches_the_port;
  } steps[] = {
      {"Printer", Qt::CTRL | Qt::Key_L, "\x0c"},
      {"Printer", Qt::CTRL | Qt::Key_P, ""},  // the test buttons are not showing
      {"About", Qt::CTRL | Qt::Key_P, uel + "@PJL TEST PRINT=CONFIG\r\n" + uel},
      {"About", Qt::CTRL | Qt::SHIFT | Qt::Key_P, ""},  // locked out
      {"Quality", Qt::CTRL | Qt::SHIFT | Qt::Key_D,
       uel + "@PJL INITIALIZE\r\n" + uel + uel + "@PJL INFO PRINTER=ALL\r\n" + uel +
           DefaultJob("PAPER=A4")},
  };
  std::string port = DefaultJob("TIMEOUT=45");
  for (const auto& step : steps) {
    SCOPED_TRACE(QKeySequence(step.key).toString().toStdString());
    page(step.page);
    QTest::keyClick(QApplication::focusWidget(), step.key.key(), step.key.keyboardModifiers());
    port += step.reaches_the_port;
    EXPECT_EQ(printer_->Received(), port);
  }

  // F5 reloads what is stored; F1 opens the help on the page showing.
  page("Page");
  auto* copies = static_cast<SpinEdit*>(window_.FindControl("SpinCopies"));
  copies->Editor()->setText("9");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
  EXPECT_EQ(copies->Editor()->text(), "1");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
  EXPECT_EQ(help_.shown, (std::vector<std::pair<std::string, int>>{{"VERAR.HLP", 2}}));

  QAccessibleInterface* send =
      QAccessible::queryAccessibleInterface(window_.FindControl("BtnApply"));
  EXPECT_EQ(send->text(QAccessible::Accelerator),
            QKeySequence(Qt::CTRL | Qt::Key_Return).toString(QKeySequence::NativeText));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&window_)->role(), QAccessible::Window);

  // Ctrl+Q is Exit: the position is stored, unlike with the close box.
  window_.move(120, 90);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(window_.isVisible());
  EXPECT_EQ(StoredIndex("R_x"), window_.x());
}

// A network printer named in the settings: the window takes each job to it,
// one connection each, and stores what the printer took.
TEST_F(WindowHandlers, JobsGoToThePrinterTheSettingsName) {
  testing::LoopbackPrinter printer;
  ASSERT_TRUE(store_.StorePort("socket://127.0.0.1:" + std::to_string(printer.port())));
  SelectablePort port;
  TZLR window(store_, port, boxes_);
  QWidget* typing = OpenAndTypeTimeout(window, "45");
  ASSERT_NE(typing, nullptr);
  QTest::keyClick(typing, Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClick(typing, Qt::Key_L, Qt::ControlModifier);

  EXPECT_EQ(printer.Jobs(2), (std::vector<std::string>{DefaultJob("TIMEOUT=45"), "\x0c"}));
  EXPECT_EQ(Stored("R_timeout"), 45.0);
  EXPECT_TRUE(boxes_.shown.empty());
}

// The configuration page from the About page: the job reaches the printer, the
// lock-out begins on the window and ends when Timer1 fires.
TEST_F(WindowHandlers, ConfigurationPageLocksTheTestButtonsOutUntilTimer1) {
  window_.Open();
  window_.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window_.FindControl("About"));
  QWidget* config = window_.FindControl("BtnConfig");
  QWidget* demo = window_.FindControl("BtnTestPrt");
  auto* timer = window_.findChild<QTimer*>("Timer1");

  QTest::mouseClick(config, Qt::LeftButton);

  EXPECT_EQ(printer_->Received(), "\x1b%-12345X@PJL TEST PRINT=CONFIG\r\n\x1b%-12345X");
  EXPECT_FALSE(config->isEnabled());
  EXPECT_FALSE(demo->isEnabled());
  EXPECT_EQ(window_.cursor().shape(), Qt::WaitCursor);
  ASSERT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 30000);

  QMetaObject::invokeMethod(timer, "timeout");  // 30 s later
  EXPECT_TRUE(config->isEnabled());
  EXPECT_TRUE(demo->isEnabled());
  EXPECT_FALSE(timer->isActive());
  EXPECT_NE(window_.cursor().shape(), Qt::WaitCursor);
}

// The demonstration page from the current directory, through the gauge.
TEST_F(WindowHandlers, DemonstrationPageStreamsTheFileAndHidesTheGauge) {
  const std::string page =
      "\x1b"
      "E demonstration \x0c";
  std::ofstream(dir_ / "k4xdemo.prn", std::ios::binary) << page;
  testing::ScopedCurrentDirectory in_dir(dir_.path());
  window_.Open();
  window_.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window_.FindControl("About"));
  auto* gauge = static_cast<Gauge*>(window_.FindControl("Gauge"));

  QTest::mouseClick(window_.FindControl("BtnTestPrt"), Qt::LeftButton);

  EXPECT_EQ(printer_->Received(), page);
  EXPECT_EQ(gauge->Maximum(), static_cast<int>(page.size()));
  EXPECT_EQ(gauge->Progress(), static_cast<int>(page.size()));
  EXPECT_TRUE(gauge->isHidden());
  EXPECT_TRUE(window_.findChild<QTimer*>("Timer1")->isActive());
  EXPECT_FALSE(window_.FindControl("BtnConfig")->isEnabled());
}

// Runs a callback each time a widget has painted, inside its paint.
class AfterPaint final : public QObject {
 public:
  AfterPaint(QWidget& widget, std::function<void()> then) : then_(std::move(then)) {
    widget.installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    watched->event(event);
    then_();
    return true;
  }

 private:
  std::function<void()> then_;
};

// The transfer runs inside the click, with no event loop to paint: the gauge
// must reach the screen as it moves, not only once the click returns.
TEST(DemonstrationPage, GaugeReachesTheScreenWhileTheTransferBlocks) {
  testing::TempDir dir;
  std::ofstream(dir / "k4xdemo.prn", std::ios::binary) << std::string(200, 'x');
  const testing::ScopedCurrentDirectory in_dir(dir.path());
  HiveFileRegistry hive{dir.path()};
  SettingsStore store{hive};
  testing::TestPrinter printer(store);
  RecordingBoxes boxes;
  TZLR window{store, printer.port(), boxes};
  window.Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window.FindControl("About"));
  QWidget* gauge = window.FindControl("Gauge");

  // What the window's surface shows where the gauge is, whenever the gauge
  // has painted during the click.
  std::vector<QImage> shown;
  const AfterPaint watch(*gauge, [&] {
    const QPoint at = gauge->mapTo(&window, QPoint(0, 0));
    shown.push_back(
        window.screen()
            ->grabWindow(window.winId(), at.x(), at.y(), gauge->width(), gauge->height())
            .toImage());
  });
  QTest::mouseClick(window.FindControl("BtnTestPrt"), Qt::LeftButton);

  EXPECT_EQ(printer.Bytes(), std::string(200, 'x'));
  ASSERT_GE(shown.size(), 3u);
  ASSERT_FALSE(shown[0].isNull());
  EXPECT_NE(shown[0], shown[shown.size() / 2]);
  EXPECT_NE(shown[shown.size() / 2], shown.back());
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace zelora
