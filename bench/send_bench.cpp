// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Send pass with all eighteen settings changed, to a drained FIFO standing
// in for the printer and a settings file on tmpfs and on disk; against the
// same number of port writes and settings stores made directly, so that the
// pass's own overhead shows. Each case alternates between two sets of values,
// so that every pass finds all eighteen changed.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "control_transfer.h"
#include "device_port_writer.h"
#include "hive_file_registry.h"
#include "send_pass_fixture.h"
#include "settings_controller.h"
#include "settings_key.h"
#include "settings_record.h"
#include "settings_store.h"
#include "support/fake_controls.h"
#include "support/fifo_printer.h"

namespace {

using Clock = std::chrono::steady_clock;
using zelora::Control;

using zelora::bench::CountingPort;
using zelora::bench::NoBox;
using zelora::bench::SetAll;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void Run(const char* where, const std::filesystem::path& base) {
  constexpr int kPasses = 21;
  const std::filesystem::path dir = base / "zelora-bench-send";
  std::filesystem::remove_all(dir);
  zelora::testing::FifoPrinter fifo;
  zelora::DevicePortWriter device(fifo.path());
  CountingPort port(device);
  zelora::HiveFileRegistry registry(dir);
  zelora::SettingsStore store(registry);
  zelora::testing::FakeControls controls;
  zelora::SettingsRecord record = zelora::LoadDefaults();
  zelora::Push(record, controls);
  NoBox box;
  zelora::SettingsController controller(controls, record, store, port, box);

  std::vector<double> pass, direct;
  for (int i = 0; i < kPasses; ++i) {
    SetAll(controls, i % 2 == 0);
    port.jobs.clear();
    auto start = Clock::now();
    controller.BtnApplyClick();
    pass.push_back(Ms(Clock::now() - start));

    // The same jobs and eighteen stores, plus the two key accesses of width
    // and height that find nothing to write, as the pass makes them.
    const std::vector<std::string> jobs = port.jobs;
    start = Clock::now();
    for (const std::string& job : jobs) device.WriteJob(job);
    for (int s = 0; s < 20; ++s) {
      auto key = zelora::SettingsKey::OpenForWriting(registry);
      if (s < 18) key->WriteInteger("R_direct" + std::to_string(s), i);
    }
    direct.push_back(Ms(Clock::now() - start));
  }
  std::printf(
      "send pass, settings file on %s: %zu jobs, %.2f ms per pass (goal on tmpfs <= 10 ms); "
      "the same writes and stores alone %.2f ms; ratio %.2f%s\n",
      where, port.jobs.size(), Median(pass), Median(direct), Median(pass) / Median(direct),
      box.shown ? " (transmission errors!)" : "");
  std::filesystem::remove_all(dir);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::filesystem::is_directory("/dev/shm")) Run("tmpfs", "/dev/shm");
  Run("disk", argc > 1 ? argv[1] : std::filesystem::current_path().string());
  return 0;
}
