// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_pages.h"

#include <string>

#include "demo_page.h"
#include "utility_jobs.h"

namespace zelora {

void TestPages::SetTestButtonsEnabled(bool enabled) {
  controls_.SetEnabled(Control::BtnTestPrt, enabled);
  controls_.SetEnabled(Control::BtnConfig, enabled);
}

void TestPages::BtnConfigClick() {
  if (!SendUtilityJob(ConfigurationPageJob(), port_, boxes_)) return;
  SetTestButtonsEnabled(false);
  lockout_.StartTimer();
  lockout_.SetHourglass(true);
}

void TestPages::BtnTestPrtClick() {
  SetTestButtonsEnabled(false);
  controls_.SetVisible(Control::Gauge, true);

  std::string bytes;
  try {
    bytes = ReadDemoFile(DemoFilePath());
  } catch (...) {
    SetTestButtonsEnabled(true);
    controls_.SetVisible(Control::Gauge, false);
    throw;
  }
  gauge_.SetRange(static_cast<std::int64_t>(bytes.size()));

  const bool opened = StreamDemoPage(
      port_, bytes,
      [this](std::size_t done, std::size_t) {
        gauge_.SetProgress(static_cast<std::int64_t>(done));
      },
      [this] { boxes_.ShowDemoWriteError(); });
  // The transfer is over: the buffer goes before the lock-out begins.
  std::string().swap(bytes);
  if (!opened) {
    SetTestButtonsEnabled(true);
    controls_.SetVisible(Control::Gauge, false);
    return;
  }
  lockout_.SetHourglass(true);
  controls_.SetVisible(Control::Gauge, false);
  lockout_.StartTimer();
}

void TestPages::BtnFormfeedClick() { SendUtilityJob(FormFeedJob(), port_, boxes_); }

void TestPages::Timer1Timer() {
  SetTestButtonsEnabled(true);
  lockout_.StopTimer();
  lockout_.SetHourglass(false);
}

}  // namespace zelora
