// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The printer ports the typed port tests run against: the platform's own port
// writer on something that stands in for the printer and can be read back.
// Each fixture can also hold the port the way another program would.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "port_writer.h"
#include "support/test_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "device_port_writer.h"
#include "support/fifo_printer.h"
#endif

namespace zelora::testing {

inline void EmptyFile(const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot empty " + path);
}

#ifndef _WIN32
// The device port writer on a FIFO in a temporary directory, which a stand-in
// printer reads.
class DevicePortFixture {
 public:
  // Why the fixture cannot run here; empty when it can.
  static std::string Unavailable() { return {}; }

  DevicePortFixture()
      : dir_("zelora-port-"), path_((dir_ / "lp0").string()), printer_(path_), port_(path_) {}

  PrinterPort& port() { return port_; }
  std::string Received() { return printer_.Received(); }
  void Clear() { printer_.Clear(); }

  // The port opened and locked by someone else, until destroyed.
  class Hold {
   public:
    explicit Hold(const std::string& path) : fd_(::open(path.c_str(), O_WRONLY | O_CLOEXEC)) {
      if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd_);
        fd_ = -1;
      }
    }
    ~Hold() {
      if (fd_ >= 0) ::close(fd_);
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    bool held() const { return fd_ >= 0; }

   private:
    int fd_;
  };
  std::unique_ptr<Hold> HoldElsewhere() const { return std::make_unique<Hold>(path_); }

  // Whether another program could take the port for itself right now.
  bool IsFree() const { return Hold(path_).held(); }

 private:
  TempDir dir_;
  std::string path_;
  FifoPrinter printer_;
  DevicePortWriter port_;
};
#else
// The platform port writer on LPT1, which the test run maps to a file whose
// path is in ZELORA_LPT1_FILE. Opening a file there does not truncate it, so
// each job is written into an emptied file.
class Lpt1PortFixture {
 public:
  static std::string Unavailable() {
    const char* file = std::getenv("ZELORA_LPT1_FILE");
    if (file == nullptr || *file == '\0') return "LPT1 is not mapped to a file (ZELORA_LPT1_FILE)";
    return {};
  }

  Lpt1PortFixture() : path_(std::getenv("ZELORA_LPT1_FILE")), port_(MakePlatformPortWriter()) {
    EmptyFile(path_);
  }

  PrinterPort& port() { return *port_; }
  std::string Received() const { return ReadFile(path_); }
  void Clear() { EmptyFile(path_); }

  // LPT1 opened by someone else, without sharing, until destroyed.
  class Hold {
   public:
    Hold()
        : handle_(CreateFileA("LPT1", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~Hold() {
      if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

   private:
    HANDLE handle_;
  };
  std::unique_ptr<Hold> HoldElsewhere() const { return std::make_unique<Hold>(); }

  bool IsFree() const { return Hold().held(); }

 private:
  std::string path_;
  std::unique_ptr<PrinterPort> port_;
};
#endif

#ifndef _WIN32
using PortFixtures = ::testing::Types<DevicePortFixture>;
#else
using PortFixtures = ::testing::Types<Lpt1PortFixture>;
#endif

struct PortFixtureNames {
  template <typename T>
  static std::string GetName(int) {
#ifndef _WIN32
    return "Device";
#else
    return "Lpt1";
#endif
  }
};

}  // namespace zelora::testing
