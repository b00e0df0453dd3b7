// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zelora {

enum class TransmissionErrorVariant {
  SingleCommand,  // a setting or lines-per-page job: OK and Cancel
  MultiCommand,   // configuration page, form feed, initialise jobs: OK only
};

// Shows the transmission error box; returns when the user has closed it.
class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual void ShowTransmissionError(TransmissionErrorVariant variant) = 0;
};

}  // namespace zelora
