// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "transmission_notifier.h"

namespace zelora {

// What the window's logic needs of the window besides control values. The
// window implements these on its widgets; tests fake them.

// The busy lock-out's visible side: the hourglass over the window's own
// surface (its controls keep their cursors) and Timer1.
class BusyLockout {
 public:
  virtual ~BusyLockout() = default;
  virtual void SetHourglass(bool busy) = 0;
  // Starting the timer while it runs does not restart it.
  virtual void StartTimer() = 0;
  virtual void StopTimer() = 0;
};

// The progress gauge while the demonstration page streams. The gauge redraws
// itself, at once, whenever its shown percentage changes.
class GaugeProgress {
 public:
  virtual ~GaugeProgress() = default;
  // Minimum 0, maximum `maximum`, progress 0.
  virtual void SetRange(std::int64_t maximum) = 0;
  virtual void SetProgress(std::int64_t progress) = 0;
};

// The modal boxes of the window. The logic shows the transmission and write
// error boxes itself; an error that ends a handler travels as an exception to
// the window, which shows it in the standard exception box.
class Boxes : public Notifier {
 public:
  // The standard exception box: stop icon, the application's title, OK. The
  // text is already as shown (with its full stop).
  virtual void ShowError(const std::string& text) = 0;
  // "Error", captioned "Could not send data : Write Error", OK only, no icon:
  // one refused byte of the demonstration page.
  virtual void ShowDemoWriteError() = 0;
};

}  // namespace zelora
