// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The printer port on Windows: the device LPT1 or another port by name, opened
// for one job or one demonstration transfer at a time.

#include "win_port_writer.h"

#include <windows.h>

#include <utility>

namespace zelora {

namespace {

class WinConnection final : public PortConnection {
 public:
  WinConnection() = default;
  ~WinConnection() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  // Write access only, no sharing, synchronous writes.
  bool OpenPort(const std::string& name) {
    handle_ = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle_ != INVALID_HANDLE_VALUE;
  }

  // One synchronous write; only the call's success counts.
  bool Write(std::string_view bytes) override {
    if (bytes.size() > MAXDWORD) return false;
    DWORD written = 0;
    return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) !=
           FALSE;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

class WinPort final : public PrinterPort {
 public:
  explicit WinPort(std::string name) : name_(std::move(name)) {}

  std::unique_ptr<PortConnection> Open() override {
    // Allocated before the port is opened, so the handle cannot leak.
    auto connection = std::make_unique<WinConnection>();
    if (!connection->OpenPort(name_)) return nullptr;
    return connection;
  }

 private:
  std::string name_;
};

}  // namespace

std::unique_ptr<PrinterPort> MakeWindowsPort(std::string name) {
  return std::make_unique<WinPort>(std::move(name));
}

std::unique_ptr<PrinterPort> MakePlatformPortWriter() {
  return MakeWindowsPort(std::string(BuiltInPortName()));
}

std::string_view BuiltInPortName() { return "LPT1"; }

}  // namespace zelora
