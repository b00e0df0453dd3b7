// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "transmission_notifier.h"

namespace zelora {

// Message-box button flags as the platform numbers them.
enum class MessageButtons { Ok = 0, OkCancel = 1 };

// What the transmission error box shows. It has no icon, is modal for the
// whole application, and its answer is never examined.
struct TransmissionErrorBox {
  std::string_view text;
  std::string_view caption;
  MessageButtons buttons;
};

inline constexpr std::string_view kTransmissionErrorCaption = "Transmission Error";

inline constexpr TransmissionErrorBox TransmissionErrorBoxFor(TransmissionErrorVariant variant) {
  if (variant == TransmissionErrorVariant::MultiCommand) {
    return {"Could not Send commands to Printer !", kTransmissionErrorCaption, MessageButtons::Ok};
  }
  return {"Could not Send command to Printer !", kTransmissionErrorCaption,
          MessageButtons::OkCancel};
}

}  // namespace zelora
