// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's seams for its logic, recording what the logic does to them.

#include <cstdint>
#include <string>
#include <vector>

#include "window_seams.h"

namespace zelora::testing {

class FakeLockout final : public BusyLockout {
 public:
  void SetHourglass(bool busy) override { hourglass = busy; }
  void StartTimer() override {
    if (!timer_running) ++timer_starts;
    timer_running = true;
  }
  void StopTimer() override { timer_running = false; }

  bool hourglass = false;
  bool timer_running = false;
  int timer_starts = 0;
};

class FakeGauge final : public GaugeProgress {
 public:
  void SetRange(std::int64_t max) override {
    maximum = max;
    progress = 0;
  }
  void SetProgress(std::int64_t value) override {
    progress = value;
    ++updates;
  }

  std::int64_t maximum = -1;
  std::int64_t progress = -1;
  int updates = 0;
};

// Every box the logic showed, in order.
class RecordingBoxes final : public Boxes {
 public:
  enum class Box { SingleCommand, MultiCommand, DemoWriteError, Error };
  void ShowTransmissionError(TransmissionErrorVariant variant) override {
    shown.push_back(variant == TransmissionErrorVariant::SingleCommand ? Box::SingleCommand
                                                                       : Box::MultiCommand);
  }
  void ShowDemoWriteError() override { shown.push_back(Box::DemoWriteError); }
  void ShowError(const std::string& text) override {
    shown.push_back(Box::Error);
    errors.push_back(text);
  }

  std::vector<Box> shown;
  std::vector<std::string> errors;  // texts of the exception boxes
};

}  // namespace zelora::testing
