// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "transmission_box.h"

#include "exception_box.h"
#include "transmission_box_texts.h"

#include <QApplication>
#include <QPointer>
#include <QString>

namespace zelora {

std::unique_ptr<QMessageBox> TransmissionBoxNotifier::MakeBox(TransmissionErrorVariant variant,
                                                              QWidget* parent) {
  const TransmissionErrorBox wording = TransmissionErrorBoxFor(variant);
  const QMessageBox::StandardButtons buttons = wording.buttons == MessageButtons::OkCancel
                                                   ? QMessageBox::Ok | QMessageBox::Cancel
                                                   : QMessageBox::StandardButtons(QMessageBox::Ok);
  auto box = std::make_unique<QMessageBox>(
      QMessageBox::NoIcon, QString::fromUtf8(wording.caption.data(), wording.caption.size()),
      QString::fromUtf8(wording.text.data(), wording.text.size()), buttons, parent);
  box->setDefaultButton(QMessageBox::Ok);
  box->setWindowModality(Qt::ApplicationModal);
  return box;
}

void TransmissionBoxNotifier::ShowTransmissionError(TransmissionErrorVariant variant) {
  // Give the active window back its activation once the box is gone.
  const QPointer<QWidget> was_active = QApplication::activeWindow();
  const std::unique_ptr<QMessageBox> box = MakeBox(variant, was_active);
  box->exec();
  if (was_active) was_active->activateWindow();
}

std::unique_ptr<QMessageBox> ScreenBoxes::MakeDemoWriteErrorBox(QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon,
                                           QStringLiteral("Could not send data : Write Error"),
                                           QStringLiteral("Error"), QMessageBox::Ok, parent);
  box->setWindowModality(Qt::ApplicationModal);
  return box;
}

void ScreenBoxes::ShowDemoWriteError() {
  const QPointer<QWidget> was_active = QApplication::activeWindow();
  const std::unique_ptr<QMessageBox> box = MakeDemoWriteErrorBox(was_active);
  box->exec();
  if (was_active) was_active->activateWindow();
}

void ScreenBoxes::ShowError(const std::string& text) {
  ShowExceptionBox(QString::fromStdString(text));
}

}  // namespace zelora
