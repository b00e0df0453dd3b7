// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fakes that record what the window hands to the world outside it.

#include <QString>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "help_engine.h"
#include "window_seams.h"

namespace zelora {

// Boxes nobody expects: a box fails the test that caused it instead of
// waiting for a click that never comes.
class StrictBoxes : public Boxes {
 public:
  void ShowTransmissionError(TransmissionErrorVariant) override {
    ADD_FAILURE() << "transmission error box shown";
  }
  void ShowDemoWriteError() override { ADD_FAILURE() << "demonstration write error box shown"; }
  void ShowError(const std::string& text) override {
    ADD_FAILURE() << "exception box shown: " << text;
  }
};

class RecordingHelp : public HelpEngine {
 public:
  void ShowContext(const std::string& help_file, int context) override {
    shown.emplace_back(help_file, context);
  }
  void Quit() override { ++quits; }
  std::vector<std::pair<std::string, int>> shown;
  int quits = 0;
};

}  // namespace zelora
