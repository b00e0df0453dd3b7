// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <memory>

#include "transmission_notifier.h"
#include "window_seams.h"

class QWidget;

namespace zelora {

// The transmission error box on the screen: no icon, modal for the whole
// application; which button closed it is of no interest to anybody.
class TransmissionBoxNotifier : public Notifier {
 public:
  void ShowTransmissionError(TransmissionErrorVariant variant) override;

  // The box ShowTransmissionError runs, unshown.
  static std::unique_ptr<QMessageBox> MakeBox(TransmissionErrorVariant variant, QWidget* parent);
};

// The boxes of the window's logic, on the screen.
class ScreenBoxes : public Boxes {
 public:
  void ShowTransmissionError(TransmissionErrorVariant variant) override {
    transmission_.ShowTransmissionError(variant);
  }
  // No icon, OK only, modal for the whole application.
  void ShowDemoWriteError() override;
  void ShowError(const std::string& text) override;

  // The box ShowDemoWriteError runs, unshown.
  static std::unique_ptr<QMessageBox> MakeDemoWriteErrorBox(QWidget* parent);

 private:
  TransmissionBoxNotifier transmission_;
};

}  // namespace zelora
