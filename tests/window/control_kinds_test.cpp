// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own kinds of control, each on its own.

#include <gtest/gtest.h>

#include "qt_print.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <stdexcept>

#include "flat_button.h"
#include "gauge.h"
#include "radio_group.h"
#include "spin_edit.h"
#include "spin_field_layout.h"

namespace zelora {
namespace {

// ---------------------------------------------------------------------------
// Spin field

class SpinEditTest : public ::testing::Test {
 protected:
  // A field of the window, with '.' as separator.
  std::unique_ptr<SpinEdit> Make(Control control) {
    auto spin = std::make_unique<SpinEdit>(values_.Spin(control));
    spin->setGeometry(0, 0, 57, 21);
    return spin;
  }

  static void LoseFocus(SpinEdit& spin, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent event(QEvent::FocusOut, reason);
    QApplication::sendEvent(spin.Editor(), &event);
  }

  ControlValues values_;
};

TEST_F(SpinEditTest, SetValueClampsAndFormatsReadValueDoesNot) {
  auto lpi = Make(Control::SpinLpi);
  lpi->SetValue(64.5L);
  EXPECT_EQ(lpi->Editor()->text(), "64");
  lpi->SetValue(65.5L);
  EXPECT_EQ(lpi->Editor()->text(), "66");
  lpi->SetValue(1000);
  EXPECT_EQ(lpi->Editor()->text().toStdString(), "128");

  auto point = Make(Control::SpinPoint);
  point->SetValue(1000);
  EXPECT_EQ(point->Editor()->text(), "999.75");
  point->SetValue(10);
  EXPECT_EQ(point->Editor()->text(), "10.00");

  auto timeout = Make(Control::SpinTimeout);
  timeout->Editor()->setText("500");  // as if typed or pasted
  EXPECT_EQ(timeout->Value(), 500);
  timeout->Editor()->setText("1-2");
  EXPECT_EQ(timeout->Value(), 10);
  EXPECT_EQ(timeout->Editor()->text().toStdString(), "1-2");
}

TEST_F(SpinEditTest, LeavingTheFieldClampsOnlyReadableValuesOutOfRange) {
  struct Case {
    const char* typed;
    Qt::FocusReason reason;
    const char* shown;
  };
  const Case cases[] = {
      {"500", Qt::TabFocusReason, "300"},     {"5", Qt::MouseFocusReason, "10"},
      {"150", Qt::TabFocusReason, "150"},     {"", Qt::TabFocusReason, ""},
      {"abc", Qt::BacktabFocusReason, "abc"}, {"500", Qt::ActiveWindowFocusReason, "500"},
      {"500", Qt::PopupFocusReason, "500"},
  };
  for (const Case& c : cases) {
    auto timeout = Make(Control::SpinTimeout);
    timeout->Editor()->setText(c.typed);
    LoseFocus(*timeout, c.reason);
    EXPECT_EQ(timeout->Editor()->text(), c.shown) << c.typed << " reason " << c.reason;
  }
  auto pitch = Make(Control::SpinPitch);
  pitch->Editor()->setText("12");
  LoseFocus(*pitch);
  EXPECT_EQ(pitch->Editor()->text().toStdString(), "12");  // in range: kept as typed
}

TEST_F(SpinEditTest, KeysFilterStepAndNeverEnter) {
  auto copies = Make(Control::SpinCopies);
  copies->Editor()->clear();
  QTest::keyClicks(copies->Editor(), "1a2.x");
  EXPECT_EQ(copies->Editor()->text().toStdString(), "12");
  QTest::keyClick(copies->Editor(), Qt::Key_Up);
  EXPECT_EQ(copies->Editor()->text().toStdString(), "13");
  QTest::keyClick(copies->Editor(), Qt::Key_Down);
  QTest::keyClick(copies->Editor(), Qt::Key_Down);
  EXPECT_EQ(copies->Editor()->text().toStdString(), "11");
  QTest::keyClick(copies->Editor(), Qt::Key_Return);
  QTest::keyClick(copies->Editor(), Qt::Key_Backspace);
  EXPECT_EQ(copies->Editor()->text().toStdString(), "1");

  auto pitch = Make(Control::SpinPitch);
  pitch->Editor()->clear();
  QTest::keyClicks(pitch->Editor(), "-1.2.3e");
  EXPECT_EQ(pitch->Editor()->text().toStdString(), "-1.2.3");
  pitch->Editor()->setText("12");
  QTest::keyClick(pitch->Editor(), Qt::Key_Up);
  EXPECT_EQ(pitch->Editor()->text().toStdString(), "12.01");

  auto width = Make(Control::RxSpinEdit1);
  auto height = Make(Control::RxSpinEdit2);
  width->Editor()->clear();
  height->Editor()->clear();
  QTest::keyClicks(width->Editor(), "1234");
  QTest::keyClicks(height->Editor(), "1234");
  EXPECT_EQ(width->Editor()->text().toStdString(), "123");
  EXPECT_EQ(height->Editor()->text().toStdString(), "1234");
}

TEST_F(SpinEditTest, SpinButtonHalvesStepAndRepeatWhileHeld) {
  auto lpi = Make(Control::SpinLpi);
  lpi->show();
  lpi->SetValue(64);
  SpinButton* button = lpi->Button();
  const int w = button->width();
  const int h = button->height();
  EXPECT_EQ(button->HalfAt({1, 1}), SpinButton::Half::Up);
  EXPECT_EQ(button->HalfAt({w - 2, h - 2}), SpinButton::Half::Down);
  EXPECT_EQ(button->HalfAt({w / 2 - 2, h / 2 - 2}), SpinButton::Half::Up);
  EXPECT_EQ(button->HalfAt({w / 2 + 2, h / 2 + 2}), SpinButton::Half::Down);
  EXPECT_EQ(button->HalfAt({w + 3, 1}), SpinButton::Half::None);

  QTest::mouseClick(button, Qt::LeftButton, {}, {2, 2});
  EXPECT_EQ(lpi->Editor()->text().toStdString(), "65");
  QTest::mouseClick(button, Qt::LeftButton, {}, {w - 2, h - 2});
  EXPECT_EQ(lpi->Editor()->text().toStdString(), "64");

  // Held: once at once, again after 400 ms, then every 100 ms; off the held
  // half the repeating pauses; release ends it. The test fires the button's
  // one timer itself rather than waiting for it.
  const QList<QTimer*> timers = button->findChildren<QTimer*>();
  ASSERT_EQ(timers.size(), 1);
  QTimer& timer = *timers[0];
  const auto fire = [&timer] { QMetaObject::invokeMethod(&timer, "timeout"); };
  QTest::mousePress(button, Qt::LeftButton, {}, {2, 2});
  EXPECT_EQ(lpi->Editor()->text().toStdString(), "65");
  EXPECT_TRUE(timer.isActive());
  EXPECT_EQ(timer.interval(), SpinButton::kFirstRepeatMs);
  fire();
  EXPECT_EQ(lpi->Editor()->text().toStdString(), "66");
  EXPECT_EQ(timer.interval(), SpinButton::kRepeatMs);
  fire();
  EXPECT_EQ(lpi->Editor()->text().toStdString(), "67");
  QTest::mouseMove(button, {w - 2, h - 2});
  fire();
  EXPECT_EQ(lpi->Editor()->text().toStdString(), "67");
  QTest::mouseMove(button, {2, 2});
  fire();
  EXPECT_EQ(lpi->Editor()->text().toStdString(), "68");
  QTest::mouseRelease(button, Qt::LeftButton, {}, {2, 2});
  EXPECT_FALSE(timer.isActive());

  lpi->setEnabled(false);
  EXPECT_FALSE(button->isEnabled());
}

// ---------------------------------------------------------------------------
// Flat picture button

TEST(FlatButtonTest, ClickNeedsPressAndReleaseOverItAndLeavesTheFocus) {
  QWidget window;
  auto* edit = new QLineEdit(&window);
  auto* button = new FlatButton(&window);
  button->setGeometry(0, 30, 60, 40);
  window.resize(100, 100);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  edit->setFocus();
  ASSERT_TRUE(edit->hasFocus());

  QSignalSpy clicks(button, &QAbstractButton::clicked);
  QTest::mouseClick(button, Qt::LeftButton, {}, {30, 20});
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);

  QTest::mousePress(button, Qt::LeftButton, {}, {30, 20});
  QTest::mouseRelease(button, Qt::LeftButton, {}, {90, 20});  // off the button
  EXPECT_EQ(clicks.count(), 1);
}

// ---------------------------------------------------------------------------
// Progress gauge

TEST(GaugeTest, PercentageFillAndClampedProgress) {
  Gauge gauge;
  gauge.resize(297, 16);
  gauge.SetMaximum(200);
  gauge.SetProgress(50);
  EXPECT_EQ(gauge.PercentDone(), 25);
  EXPECT_EQ(gauge.FilledWidth(), 295 * 25 / 100);
  gauge.SetProgress(300);
  EXPECT_EQ(gauge.Progress(), 200);
  EXPECT_EQ(gauge.PercentDone(), 100);
  EXPECT_EQ(gauge.FilledWidth(), 295);
  gauge.SetProgress(-4);
  EXPECT_EQ(gauge.Progress(), 0);
  gauge.SetProgress(199);
  EXPECT_EQ(gauge.PercentDone(), 99);  // whole part only

  gauge.SetMaximum(0);
  EXPECT_EQ(gauge.PercentDone(), 0);  // equal limits
}

TEST(GaugeTest, RefusesCrossedLimitsAndKeepsThem) {
  Gauge gauge;
  gauge.SetMaximum(200);
  try {
    gauge.SetMinimum(201);
    ADD_FAILURE() << "minimum above maximum taken";
  } catch (const std::out_of_range& error) {
    EXPECT_STREQ(error.what(), "Value must be between -2147483648 and 200");
  }
  gauge.SetMinimum(10);
  try {
    gauge.SetMaximum(9);
    ADD_FAILURE() << "maximum below minimum taken";
  } catch (const std::out_of_range& error) {
    EXPECT_STREQ(error.what(), "Value must be between 10 and 2147483647");
  }
  EXPECT_EQ(gauge.Minimum(), 10);
  EXPECT_EQ(gauge.Maximum(), 200);
  EXPECT_EQ(gauge.Progress(), 10);  // pulled up with the minimum
}

TEST(GaugeTest, DrawsBarAndInvertedPercentage) {
  Gauge gauge;
  gauge.resize(297, 16);
  auto count_in_centre = [&](QRgb colour) {
    const QImage image = gauge.grab().toImage();
    int n = 0;
    for (int y = 2; y < 14; ++y) {
      for (int x = 128; x < 168; ++x) n += (image.pixel(x, y) & RGB_MASK) == (colour & RGB_MASK);
    }
    return std::make_pair(n, image);
  };

  gauge.SetProgress(25);
  auto [dark_text, quarter] = count_in_centre(qRgb(0, 0, 0));
  EXPECT_EQ(quarter.pixel(5, 8) & RGB_MASK, qRgb(0, 0, 0) & RGB_MASK);
  EXPECT_EQ(quarter.pixel(290, 8) & RGB_MASK, qRgb(255, 255, 255) & RGB_MASK);
  EXPECT_GT(dark_text, 0);  // "25%" in black on the white ground

  gauge.SetProgress(75);
  auto [light_text, three_quarters] = count_in_centre(qRgb(255, 255, 255));
  EXPECT_EQ(three_quarters.pixel(200, 8) & RGB_MASK, qRgb(0, 0, 0) & RGB_MASK);
  EXPECT_GT(light_text, 0);  // "75%" in white on the black bar
}

// ---------------------------------------------------------------------------
// Radio group

TEST(RadioGroupTest, ItemsSpreadEvenlyAndIndexIsClamped) {
  RadioGroup group;
  group.resize(121, 145);
  group.SetItems({"a", "b", "c"});
  ASSERT_EQ(group.Count(), 3);
  const int step = group.Item(1)->y() - group.Item(0)->y();
  EXPECT_GT(step, 30);
  EXPECT_EQ(group.Item(2)->y() - group.Item(1)->y(), step);
  EXPECT_EQ(group.Item(0)->height(), step);
  EXPECT_LE(group.Item(2)->geometry().bottom(), 145);
  EXPECT_GT(group.Item(0)->y(), QFontMetrics(group.font()).height() - 1);  // below the caption

  EXPECT_EQ(group.ItemIndex(), -1);
  group.SetItemIndex(1);
  EXPECT_TRUE(group.Item(1)->isChecked());
  group.SetItemIndex(9);
  EXPECT_EQ(group.ItemIndex(), 2);
  EXPECT_FALSE(group.Item(1)->isChecked());
  group.SetItemIndex(-5);
  EXPECT_EQ(group.ItemIndex(), -1);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(group.Item(i)->isChecked());
}

}  // namespace
}  // namespace zelora
