// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The transmission error box as the user sees it, and that showing it returns
// whichever button closes it.

#include "transmission_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

namespace zelora {
namespace {

TEST(TransmissionBox, VariantsShowTheirTextCaptionAndButtonsWithoutIcon) {
  const auto single =
      TransmissionBoxNotifier::MakeBox(TransmissionErrorVariant::SingleCommand, nullptr);
  EXPECT_EQ(single->text(), "Could not Send command to Printer !");
  EXPECT_EQ(single->windowTitle(), "Transmission Error");
  EXPECT_EQ(single->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(single->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(single->windowModality(), Qt::ApplicationModal);

  const auto multi =
      TransmissionBoxNotifier::MakeBox(TransmissionErrorVariant::MultiCommand, nullptr);
  EXPECT_EQ(multi->text(), "Could not Send commands to Printer !");
  EXPECT_EQ(multi->windowTitle(), "Transmission Error");
  EXPECT_EQ(multi->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(multi->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(multi->buttons().size(), 1);
}

TEST(DemoWriteErrorBox, ShowsItsTextAndCaptionWithOkOnlyAndNoIcon) {
  const auto box = ScreenBoxes::MakeDemoWriteErrorBox(nullptr);
  EXPECT_EQ(box->text(), "Error");
  EXPECT_EQ(box->windowTitle(), "Could not send data : Write Error");
  EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(box->buttons().size(), 1);
}

// Presses a button of the modal box as soon as it shows; records its text.
void PressWhenShown(QMessageBox::StandardButton which, QString& seen) {
  QTimer::singleShot(0, [which, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return PressWhenShown(which, seen);
    seen = box->text();
    box->button(which)->click();
  });
}

TEST(TransmissionBox, EitherAnswerJustReturns) {
  TransmissionBoxNotifier notifier;
  for (const auto which : {QMessageBox::Ok, QMessageBox::Cancel}) {
    QString seen;
    PressWhenShown(which, seen);
    notifier.ShowTransmissionError(TransmissionErrorVariant::SingleCommand);
    EXPECT_EQ(seen, "Could not Send command to Printer !");
  }
  QString seen;
  PressWhenShown(QMessageBox::Ok, seen);
  notifier.ShowTransmissionError(TransmissionErrorVariant::MultiCommand);
  EXPECT_EQ(seen, "Could not Send commands to Printer !");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace zelora
