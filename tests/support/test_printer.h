// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The printer a window under test sends to: a SelectablePort on a stand-in
// the test reads back, so that no job of a test reaches the machine's own
// printer. On POSIX the stand-in is a FIFO in a temporary folder; on Windows
// it is LPT1, which the test run maps to the file named in ZELORA_LPT1_FILE
// (every job is written over that file from its start).

#include <stdexcept>
#include <string>

#include "port_value.h"
#include "settings_store.h"
#include "test_files.h"

#ifdef _WIN32
#include <cstdlib>
#include <fstream>
#else
#include "fifo_printer.h"
#endif

namespace zelora::testing {

class TestPrinter {
 public:
  // Selected onto the stand-in. The window chooses its port again from the
  // settings at Open and Reset: a test that sends after those uses the other
  // constructor.
  TestPrinter() { port_.Select(value_); }
  // The same, and the stand-in named as the settings' port.
  explicit TestPrinter(const SettingsStore& store) : TestPrinter() {
    if (!store.StorePort(value_)) throw std::runtime_error("cannot store the test port");
  }
  TestPrinter(const TestPrinter&) = delete;
  TestPrinter& operator=(const TestPrinter&) = delete;

  SelectablePort& port() { return port_; }
  // The port value that names the stand-in.
  const std::string& value() const { return value_; }
  // Every byte the stand-in has taken.
  std::string Bytes() {
#ifdef _WIN32
    return ReadFile(file_);
#else
    return printer_.Received();
#endif
  }

 private:
#ifdef _WIN32
  static std::string EmptiedLpt1File() {
    const char* file = std::getenv("ZELORA_LPT1_FILE");
    if (file == nullptr || *file == '\0') throw std::runtime_error("ZELORA_LPT1_FILE is not set");
    if (!std::ofstream(file, std::ios::binary | std::ios::trunc)) {
      throw std::runtime_error(std::string("cannot empty ") + file);
    }
    return file;
  }
  std::string file_ = EmptiedLpt1File();
  std::string value_ = "LPT1";
#else
  TempDir dir_{"zelora-printer-"};
  std::string value_ = (dir_ / "lp0").string();
  FifoPrinter printer_{value_};
#endif
  SelectablePort port_;
};

}  // namespace zelora::testing
