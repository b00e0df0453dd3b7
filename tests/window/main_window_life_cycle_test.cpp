// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's life cycle against the real widgets: start-up in its steps and
// its partial state after an error, Exit against the close box, help, the
// hint line and the typeface rule at start-up.

#include <gtest/gtest.h>

#include "qt_print.h"

#include <QCursor>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>

#include "flat_button.h"
#ifndef _WIN32
#include "hive_file_registry.h"
#endif
#include "main_window.h"
#include "memory_registry.h"
#include "pictures.h"
#include "port_value.h"
#include "recording_fakes.h"
#include "settings_key.h"
#include "settings_store.h"
#include "status_bar.h"
#include "support/fake_window_seams.h"
#include "support/test_printer.h"
#include "window_placement.h"

namespace zelora {
namespace {

constexpr std::string_view kKey = kSettingsKeyPath;

QImage Shown(const QLabel* label) { return label->pixmap().toImage(); }

bool SameImage(const QImage& a, const QImage& b) {
  return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

class LifeCycleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TZLR::ApplyApplicationLook(); }

  TZLR& Window() {
    if (!window_) {
      window_ = std::make_unique<TZLR>(store_, printer_.port(), boxes_);
      window_->SetHelpEngine(help_);
    }
    return *window_;
  }
  QWidget* Find(const char* name) { return Window().FindControl(name); }
  QString Page() {
    return Window().findChild<QTabWidget*>("PageControl1")->currentWidget()->objectName();
  }
  QString HintLine() { return Window().findChild<StatusBar*>("SBar")->PanelText(1); }
  void ShowPage(const char* page) {
    Window().findChild<QTabWidget*>("PageControl1")->setCurrentWidget(Find(page));
  }

  void Click(const char* button) {
    QTest::mouseClick(Find(button), Qt::LeftButton);
    QCoreApplication::processEvents();
  }

  // Puts the mouse pointer over the middle of a control (or anywhere) and
  // lets the application go idle.
  void PointAt(QWidget* widget) { PointAt(widget->mapToGlobal(widget->rect().center())); }
  void PointAt(QPoint global) {
    QCursor::setPos(global);
    QTest::qWait(20);
  }

  MemoryRegistry registry_;
  SettingsStore store_{registry_};
  // Not named in the settings, which each test wants as it leaves them: after
  // Open the window is on the port they name, and nothing here sends.
  testing::TestPrinter printer_;
  testing::RecordingBoxes boxes_;
  RecordingHelp help_;  // outlives the window, which tells it to quit
  std::unique_ptr<TZLR> window_;
};

TEST_F(LifeCycleTest, FirstStartWithoutKeyShowsFactoryDefaultsOnThePrinterPage) {
  // The picture the layout stores until start-up replaces it.
  auto* image1 = static_cast<QLabel*>(Find("Image1"));
  const QImage layout_picture = Shown(image1);
  const QImage about(pictures::kAbout);
  ASSERT_FALSE(SameImage(layout_picture, about));

  Window().Open();

  EXPECT_TRUE(boxes_.errors.empty());
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(Page(), "Printer");
  EXPECT_EQ(Window().cursor().shape(), Qt::ArrowCursor);  // back to the default
  EXPECT_EQ(Window().pos(), QPoint(0, 0));
  EXPECT_EQ(Window().Values().ItemIndex(Control::ComPapersize), 2);
  EXPECT_EQ(Window().Values().SpinText(Control::SpinLpi), "64");
  EXPECT_EQ(Window().Values().ItemIndex(Control::GrpDensity), 0);
  EXPECT_EQ(Window().Values().SpinText(Control::SpinTimeout), "20");
  EXPECT_TRUE(Window().Values().Checked(Control::BtnPortrait));
  EXPECT_TRUE(Window().Values().Visible(Control::Image2));
  EXPECT_FALSE(Window().Values().Visible(Control::Image3));
  EXPECT_FALSE(Window().Values().Visible(Control::RxSpinEdit1));
  EXPECT_FALSE(Window().Values().Visible(Control::RxSpinEdit2));
  EXPECT_TRUE(Window().Values().Enabled(Control::SpinPitch));  // typeface 0
  EXPECT_FALSE(Window().Values().Enabled(Control::SpinPoint));
  EXPECT_TRUE(SameImage(Shown(image1), about));
  EXPECT_TRUE(registry_.WriteLog().empty());
  EXPECT_FALSE(registry_.KeyExists(kKey));
}

TEST_F(LifeCycleTest, StoredCustomPaperSizeShowsItsFieldsAtStartUp) {
  registry_.PutDword(kKey, "R_papersize", 12);
  registry_.PutDouble(kKey, "R_width", 100);
  Window().Open();
  EXPECT_TRUE(boxes_.errors.empty());
  EXPECT_TRUE(Window().Values().Visible(Control::RxSpinEdit1));
  EXPECT_TRUE(Window().Values().Visible(Control::RxSpinEdit2));
  EXPECT_EQ(Window().Values().SpinText(Control::RxSpinEdit1), "100");
}

TEST_F(LifeCycleTest, WrongTypedValueEndsStartUpEarlyAndTheWindowOpensAsItIs) {
  registry_.PutDword(kKey, "R_x", 40);
  registry_.PutDword(kKey, "R_y", 30);
  registry_.PutDword(kKey, "R_papersize", 2);
  registry_.PutDword(kKey, "R_timeout", 20);  // a DWORD where a double belongs

  Window().Open();

  // No full stop: the closing quote sorts before it.
  EXPECT_EQ(boxes_.errors, std::vector<std::string>{"Invalid data type for 'R_timeout'"});
  EXPECT_TRUE(Window().isVisible());
  // The about picture came before the settings.
  EXPECT_TRUE(SameImage(Shown(static_cast<QLabel*>(Find("Image1"))), QImage(pictures::kAbout)));
  // The rest of start-up did not happen: no move, no custom-size decision,
  // still the About page and the hourglass.
  EXPECT_EQ(Window().pos(), QPoint(180, 97));
  EXPECT_TRUE(Window().Values().Visible(Control::RxSpinEdit1));
  EXPECT_TRUE(Window().Values().Visible(Control::RxSpinEdit2));
  EXPECT_EQ(Page(), "About");
  EXPECT_TRUE(Window().testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(Window().cursor().shape(), Qt::WaitCursor);
  // Nor is there a hint line.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  PointAt(Find("BtnExit"));
  EXPECT_EQ(HintLine(), "");
}

TEST_F(LifeCycleTest, TypefaceRuleAtStartUp) {
  struct Case {
    int typeface;
    bool pitch;
    bool point;
  };
  const Case cases[] = {{-1, true, false}, {1, true, false},   {7, false, true},  {17, false, true},
                        {44, false, true}, {45, false, false}, {47, false, false}};
  for (const Case& c : cases) {
    MemoryRegistry registry;
    registry.PutDword(kKey, "R_typeface", c.typeface);
    SettingsStore store(registry);
    testing::TestPrinter printer(store);
    StrictBoxes boxes;
    TZLR window(store, printer.port(), boxes);
    // Enabled states the rule must overturn.
    window.Values().SetEnabled(Control::SpinPitch, !c.pitch);
    window.Values().SetEnabled(Control::SpinPoint, !c.point);
    window.FormCreate();
    ASSERT_EQ(window.Values().ItemIndex(Control::ListTypeface), c.typeface);
    EXPECT_EQ(window.Values().Enabled(Control::SpinPitch), c.pitch) << c.typeface;
    EXPECT_EQ(window.Values().Enabled(Control::SpinPoint), c.point) << c.typeface;
  }
}

TEST_F(LifeCycleTest, StoredPositionOffEveryScreenPutsTheWindowOnThePrimaryOne) {
  // A screen gone since the last Exit, and the extremes a stored dword allows.
  const std::pair<std::int32_t, std::int32_t> stored[] = {
      {-5000, 4000}, {INT32_MAX, INT32_MAX - 255}, {INT32_MAX - 255, INT32_MAX}};
  for (const auto& [x, y] : stored) {
    registry_.PutDword(kKey, "R_x", x);
    registry_.PutDword(kKey, "R_y", y);
    testing::TestPrinter printer(store_);
    registry_.ClearWriteLog();
    StrictBoxes boxes;
    TZLR window(store_, printer.port(), boxes);
    window.Open();
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect title_bar(window.pos(), QSize(window.frameGeometry().width(), kTitleBarHeight));
    EXPECT_TRUE(primary.intersects(title_bar)) << window.pos().x() << "," << window.pos().y();
    // What was stored stays stored.
    EXPECT_EQ(registry_.GetDword(kKey, "R_x"), x);
    EXPECT_EQ(registry_.GetDword(kKey, "R_y"), y);
    EXPECT_TRUE(registry_.WriteLog().empty());
  }
}

// The port the settings name is chosen at start-up and again by Reset; a
// value of the wrong type shows its box once start-up is done and leaves no
// port at all, rather than the built-in one.
TEST_F(LifeCycleTest, SettingsChooseThePortAtStartUpAndReset) {
  registry_.PutDword(kKey, "R_papersize", 12);
  registry_.PutDword(kKey, "Port", 1);
  SelectablePort port;
  port.Select("cups://Earlier");
  TZLR window(store_, port, boxes_);
  window.Open();
  EXPECT_EQ(boxes_.errors, std::vector<std::string>{"Invalid data type for 'Port'"});
  EXPECT_EQ(port.selected().form, PortForm::kInvalid);
  EXPECT_EQ(port.Open(), nullptr);
  EXPECT_EQ(window.findChild<QTabWidget*>("PageControl1")->currentWidget()->objectName(),
            "Printer");
  EXPECT_FALSE(window.FindControl("RxSpinEdit1")->isHidden()) << "start-up went on to the end";

#ifdef _WIN32
  const std::string text = "LPT2";
#else
  const std::string text = "socket://[::1]:9101";
#endif
  registry_.PutValue(kKey, "Port", reg_type::kSz,
                     std::vector<std::uint8_t>(text.c_str(), text.c_str() + text.size() + 1));
  QTest::mouseClick(window.FindControl("BtnReset"), Qt::LeftButton);
#ifdef _WIN32
  EXPECT_EQ(port.selected().form, PortForm::kWindowsName);
  EXPECT_EQ(port.selected().path, "LPT2");
#else
  EXPECT_EQ(port.selected().form, PortForm::kSocket);
  EXPECT_EQ(port.selected().host, "::1");
  EXPECT_EQ(port.selected().port, 9101);
#endif
}

TEST_F(LifeCycleTest, ExitStoresThePositionAndCloses) {
  Window().Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  Window().move(150, 120);
  Click("BtnExit");
  EXPECT_FALSE(Window().isVisible());
  EXPECT_EQ(registry_.WriteLog(), (std::vector<std::string>{"R_x", "R_y"}));
  EXPECT_EQ(registry_.GetDword(kKey, "R_x"), Window().x());
  EXPECT_EQ(registry_.GetDword(kKey, "R_y"), Window().y());
  EXPECT_TRUE(boxes_.errors.empty());
}

TEST_F(LifeCycleTest, CloseBoxStoresNothing) {
  Window().Open();
  Window().move(150, 120);
  EXPECT_TRUE(Window().close());
  EXPECT_FALSE(Window().isVisible());
  EXPECT_TRUE(registry_.WriteLog().empty());
}

TEST_F(LifeCycleTest, ExitWhoseWriteIsRefusedKeepsTheWindowOpen) {
  Window().Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  registry_.SetRefuseWrites(true);
  Click("BtnExit");
  EXPECT_EQ(boxes_.errors, std::vector<std::string>{"Failed to set data for 'R_x'"});
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(registry_.OpenKeyCount(), 0);
}

TEST_F(LifeCycleTest, ExitWithoutWriteAccessClosesSilently) {
  registry_.SetAccess(MemoryRegistry::Access::kReadOnly);
  Window().Open();
  Click("BtnExit");
  EXPECT_FALSE(Window().isVisible());
  EXPECT_TRUE(boxes_.errors.empty());
  EXPECT_FALSE(registry_.KeyExists(kKey));
}

// Three runs against a hive file: Exit, then the close box.
TEST(LifeCycleRestart, TheNextStartUsesThePositionOfTheLastExit) {
#ifdef _WIN32
  GTEST_SKIP() << "Not on Windows: runs on a settings file; the Windows end-to-end run checks "
                  "that Exit stores the position in the registry";
#else
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  HiveFileRegistry hive(dir.path().toStdString());
  SettingsStore store(hive);
  testing::TestPrinter printer(store);
  StrictBoxes boxes;

  auto run = [&](QPoint move_to, bool exit_button) {
    TZLR window(store, printer.port(), boxes);
    window.Open();
    const QPoint started = window.pos();
    window.move(move_to);
    if (exit_button) {
      QTest::mouseClick(window.FindControl("BtnExit"), Qt::LeftButton);
    } else {
      window.close();
    }
    EXPECT_FALSE(window.isVisible());
    return started;
  };
  EXPECT_EQ(run({200, 150}, true), QPoint(0, 0));
  EXPECT_EQ(run({300, 250}, false), QPoint(200, 150));
  EXPECT_EQ(run({10, 10}, false), QPoint(200, 150));
#endif
}

// Start-up and the port choice both read a damaged settings file: one box,
// then the window, with no port chosen.
TEST(LifeCycleDamaged, OneDamagedFileIsOneBox) {
#ifdef _WIN32
  GTEST_SKIP() << "Not on Windows: the registry has no settings file to damage";
#else
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  HiveFileRegistry hive(dir.path().toStdString());
  std::ofstream(hive.file()) << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quorvan\\Zelora]\n"
                                "\"R_x\"=dword:0000000";
  SettingsStore store(hive);
  testing::TestPrinter printer;
  testing::RecordingBoxes boxes;
  TZLR window(store, printer.port(), boxes);
  window.Open();
  ASSERT_EQ(boxes.errors.size(), 1u);
  EXPECT_NE(boxes.errors[0].find("is damaged at line 4"), std::string::npos) << boxes.errors[0];
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(printer.port().Open(), nullptr);
#endif
}

TEST_F(LifeCycleTest, HelpAsksForTheShowingPagesContext) {
  Window().Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  for (const char* page : {"Printer", "Page", "Font", "Quality", "About"}) {
    ShowPage(page);
    Click("BtnHelp");
  }
  // A page the help file knows nothing of.
  QTabWidget* pages = Window().findChild<QTabWidget*>("PageControl1");
  pages->setCurrentIndex(pages->addTab(new QWidget, QStringLiteral("Extra")));
  Click("BtnHelp");

  const std::vector<std::pair<std::string, int>> expected{{"VERAR.HLP", 1}, {"VERAR.HLP", 2},
                                                          {"VERAR.HLP", 3}, {"VERAR.HLP", 4},
                                                          {"VERAR.HLP", 5}, {"VERAR.HLP", 0}};
  EXPECT_EQ(help_.shown, expected);
  EXPECT_EQ(help_.quits, 0);
  window_.reset();  // the program ends
  EXPECT_EQ(help_.quits, 1);
}

TEST_F(LifeCycleTest, HelpNeverUsedIsNotToldToQuit) {
  Window().Open();
  window_.reset();
  EXPECT_EQ(help_.quits, 0);
}

TEST_F(LifeCycleTest, HintLineShowsTheHintUnderThePointer) {
  Window().Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));

  // A radio button without a hint of its own shows its group box's.
  ShowPage("Page");
  PointAt(Find("BtnPortrait"));
  EXPECT_EQ(HintLine(), "Установите параметр Ориентация");
  PointAt(Find("SpinLpi"));
  EXPECT_EQ(HintLine(), "Установите параметр Строки на страницу");

  // A disabled control shows its hint all the same.
  ShowPage("About");
  Window().Values().SetEnabled(Control::BtnConfig, false);
  PointAt(Find("BtnConfig"));
  EXPECT_EQ(HintLine(), "Печать Отчета состояния");

  // A label with no hint inside a group box with none empties the line.
  ShowPage("Printer");
  PointAt(Find("Label2"));
  EXPECT_EQ(HintLine(), "");

  // Of a hint with a "|", the part after it.
  Find("Label2")->setProperty("hint", QStringLiteral("Short|The long hint"));
  PointAt(Find("GroupBox1"));
  PointAt(Find("Label2"));
  EXPECT_EQ(HintLine(), "The long hint");

  PointAt(Find("BtnHelp"));
  EXPECT_EQ(HintLine(), "Справка");
  // Off the window: nothing.
  PointAt(Window().frameGeometry().bottomRight() + QPoint(50, 50));
  EXPECT_EQ(HintLine(), "");
  // The first panel keeps its caption.
  EXPECT_EQ(Window().findChild<StatusBar*>("SBar")->PanelText(0), "  Статус");
}

TEST_F(LifeCycleTest, HintLineFollowsAPageChangeUnderAStillPointer) {
  Window().Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  ShowPage("Font");
  PointAt(Find("ListSymbol"));
  EXPECT_EQ(HintLine(), "Установите Символ");
  ShowPage("Quality");  // GrpEconomode lies where ListSymbol was
  QTest::qWait(20);
  EXPECT_EQ(HintLine(), "Установите режим Econo");
}

TEST_F(LifeCycleTest, ErrorInAHandlerIsShownAndTheProgramGoesOn) {
  Window().Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  // Without a help engine the Help button fails; the window carries on.
  TZLR other(store_, printer_.port(), boxes_);
  other.Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  QTest::mouseClick(other.FindControl("BtnHelp"), Qt::LeftButton);
  EXPECT_EQ(boxes_.errors, std::vector<std::string>{"No help engine."});
  QTest::mouseClick(other.FindControl("BtnExit"), Qt::LeftButton);
  EXPECT_FALSE(other.isVisible());
}

}  // namespace
}  // namespace zelora
