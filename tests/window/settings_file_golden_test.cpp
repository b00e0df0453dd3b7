// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file as the window writes it, compared byte for byte with a
// committed file: the value names, their types and their order are what
// other copies of the program and hand-edited files rely on, so a change to
// any of them must show up as a change to tests/settings/golden.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTest>
#include <string>

#include "hive_file_registry.h"
#include "main_window.h"
#include "recording_fakes.h"
#include "settings_store.h"
#include "spin_edit.h"
#include "support/test_files.h"
#include "support/test_printer.h"

namespace zelora {
namespace {

class SettingsFileGolden : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { TZLR::ApplyApplicationLook(); }

  void Click(const char* name) { QTest::mouseClick(window_.FindControl(name), Qt::LeftButton); }
  void ShowPage(const char* name) {
    window_.findChild<QTabWidget*>("PageControl1")->setCurrentWidget(window_.FindControl(name));
  }
  void Type(const char* field_name, const char* text) {
    QWidget* field = static_cast<SpinEdit*>(window_.FindControl(field_name))->Editor();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
  }

  testing::TempDir dir_;
  HiveFileRegistry hive_{dir_.path()};
  SettingsStore store_{hive_};
  testing::TestPrinter printer_{store_};
  StrictBoxes boxes_;
  TZLR window_{store_, printer_.port(), boxes_};
};

// Default writes the eighteen settings in their order, a custom paper size
// sent adds its width and height, and Exit the window's position.
TEST_F(SettingsFileGolden, DefaultCustomSizeAndExitWriteTheCommittedFile) {
  window_.Open();
  QApplication::setActiveWindow(&window_);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  Click("BtnDefault");

  ShowPage("Page");
  auto* paper = static_cast<QComboBox*>(window_.FindControl("ComPapersize"));
  paper->setFocus();
  QTest::keyClick(paper, Qt::Key_End);
  ASSERT_EQ(paper->currentText(), "Others(mm)");
  Type("RxSpinEdit1", "150");
  Type("RxSpinEdit2", "250");
  Click("BtnApply");

  window_.move(200, 150);
  Click("BtnExit");

  // Without the port value, which is the test's own.
  std::string written = testing::ReadFile(dir_ / "HKEY_LOCAL_MACHINE.reg");
  const std::string port = "\"Port\"=\"" + printer_.value() + "\"\n";
  ASSERT_NE(written.find(port), std::string::npos) << written;
  written.erase(written.find(port), port.size());
  const std::string golden = testing::ReadFile(ZELORA_SETTINGS_GOLDEN);
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(written, golden);
}

}  // namespace
}  // namespace zelora
