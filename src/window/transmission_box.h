#pragma once

#include <QMessageBox>
#include <memory>

#include "transmission_notifier.h"

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

}  // namespace zelora
