// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "exception_box.h"

#include <QApplication>
#include <QMessageBox>

#include "qt_text.h"

namespace zelora {

std::string ExceptionBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

std::unique_ptr<QMessageBox> MakeExceptionBox(const QString& text, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, ToQString(kApplicationTitle),
                                           text, QMessageBox::Ok, parent);
  box->setDefaultButton(QMessageBox::Ok);
  return box;
}

void ShowExceptionBox(const QString& text) {
  MakeExceptionBox(text, QApplication::activeWindow())->exec();
}

}  // namespace zelora
