// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the Send pass benchmarks share: a notifier that shows nothing, a port
// that keeps the jobs it passes on, and two sets of values for every setting.

#include <string>
#include <string_view>
#include <vector>

#include "control_values.h"
#include "port_writer.h"
#include "transmission_notifier.h"

namespace zelora::bench {

class NoBox : public Notifier {
 public:
  void ShowTransmissionError(TransmissionErrorVariant) override { ++shown; }
  int shown = 0;
};

// Passes the jobs on and keeps them, so that the plain loop writes the same.
class CountingPort : public PortWriter {
 public:
  explicit CountingPort(PortWriter& port) : port_(port) {}
  bool WriteJob(std::string_view job) override {
    jobs.emplace_back(job);
    return port_.WriteJob(job);
  }
  std::vector<std::string> jobs;

 private:
  PortWriter& port_;
};

// Two sets of values for every setting, so that each pass changes all
// eighteen.
inline void SetAll(ControlValues& c, bool second) {
  const int k = second ? 1 : 0;
  c.SetItemIndex(Control::ComBaudrate, 4 + k);
  c.SetSpinValue(Control::SpinTimeout, 30 + k);
  c.SetItemIndex(Control::ComPowersave, 1 + k);
  c.SetChecked(Control::ChkAutocont, second);
  c.SetChecked(Control::ChkJamrecover, second);
  c.SetChecked(Control::ChkRobust, second);
  c.SetItemIndex(Control::ComPapersize, 2 - 2 * k);
  c.SetItemIndex(Control::ComSource, 1 + k);
  c.SetSpinValue(Control::SpinLpi, 50 + k);
  c.SetSpinValue(Control::SpinCopies, 2 + k);
  c.SetChecked(second ? Control::BtnLandscape : Control::BtnPortrait, true);
  c.SetItemIndex(Control::GrpPapertype, k);
  c.SetItemIndex(Control::ListTypeface, 3 + k);
  c.SetItemIndex(Control::ListSymbol, 5 + k);
  c.SetSpinValue(Control::SpinPitch, 12.5L + k);
  c.SetSpinValue(Control::SpinPoint, 10.25L + k);
  c.SetItemIndex(Control::GrpDensity, k);
  c.SetItemIndex(Control::GrpEconomode, 1 - k);
}

}  // namespace zelora::bench
