// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A printer port and a transmission-error notifier that record what they are
// handed, for the logic above the port writer.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "port_writer.h"
#include "transmission_notifier.h"

namespace zelora::testing {

// Every Write call of every connection, in order; a job through WriteJob is one
// connection with one write.
class RecordingPrinterPort final : public PrinterPort {
 public:
  std::unique_ptr<PortConnection> Open() override {
    ++opens;
    if (!opens_ok) return nullptr;
    return std::make_unique<Connection>(*this);
  }

  bool opens_ok = true;       // false: the port cannot be opened
  bool accepts_bytes = true;  // false: every write call fails
  int opens = 0;
  int closes = 0;
  std::vector<std::string> writes;

  // Whether a connection is open right now.
  bool IsOpen() const { return opens_ok && opens > closes; }

  // All bytes written, joined.
  std::string Bytes() const {
    std::string bytes;
    for (const std::string& write : writes) bytes += write;
    return bytes;
  }

 private:
  class Connection final : public PortConnection {
   public:
    explicit Connection(RecordingPrinterPort& port) : port_(port) {}
    ~Connection() override { ++port_.closes; }
    bool Write(std::string_view bytes) override {
      port_.writes.emplace_back(bytes);
      return port_.accepts_bytes;
    }

   private:
    RecordingPrinterPort& port_;
  };
};

class RecordingNotifier final : public Notifier {
 public:
  void ShowTransmissionError(TransmissionErrorVariant variant) override {
    shown.push_back(variant);
  }
  std::vector<TransmissionErrorVariant> shown;
};

}  // namespace zelora::testing
