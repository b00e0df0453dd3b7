// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The socket port against plain socket calls, side by side in one run, both
// to the same loopback test printer:
// - a Send pass with all eighteen settings changed (twenty jobs, settings kept
//   in memory) through the socket port, against the same twenty jobs written
//   by a plain connect-write-close loop;
// - the demonstration stream over the socket port (one write call per byte),
//   against a plain loop of one-byte writes on one connection.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "control_transfer.h"
#include "demo_page.h"
#include "send_pass_fixture.h"
#include "settings_controller.h"
#include "settings_record.h"
#include "settings_store.h"
#include "socket_port.h"
#include "stream_bytes.h"
#include "support/fake_controls.h"
#include "support/loopback_printer.h"
#include "support/memory_registry.h"

namespace {

using Clock = std::chrono::steady_clock;
using zelora::Control;

using zelora::bench::CountingPort;
using zelora::bench::NoBox;
using zelora::bench::SetAll;

int PlainConnect(std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in printer{AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
  if (::connect(fd, reinterpret_cast<sockaddr*>(&printer), sizeof printer) != 0) {
    std::fprintf(stderr, "plain connect failed\n");
  }
  return fd;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void SendPass(zelora::testing::LoopbackPrinter& printer) {
  const std::uint16_t printer_port = printer.port();
  constexpr int kPasses = 201;
  zelora::SocketPort socket_port("127.0.0.1", printer_port);
  CountingPort port(socket_port);
  zelora::MemoryRegistry registry;
  zelora::SettingsStore store(registry);
  zelora::testing::FakeControls controls;
  zelora::SettingsRecord record = zelora::LoadDefaults();
  zelora::Push(record, controls);
  NoBox box;
  zelora::SettingsController controller(controls, record, store, port, box);

  std::vector<double> pass, jobs_alone, plain;
  std::size_t sent = 0;
  // Each case starts once the printer has read all that came before, so that
  // none pays for the one before it.
  const auto timed = [&](std::vector<double>& times, const auto& run) {
    const auto start = Clock::now();
    run();
    times.push_back(Seconds(Clock::now() - start));
    sent += port.jobs.size();
    printer.Jobs(sent);
  };
  for (int i = 0; i < kPasses; ++i) {
    SetAll(controls, i % 2 == 0);
    port.jobs.clear();
    timed(pass, [&] { controller.BtnApplyClick(); });
    timed(jobs_alone, [&] {
      for (const std::string& job : port.jobs) socket_port.WriteJob(job);
    });
    timed(plain, [&] {
      for (const std::string& job : port.jobs) {
        const int fd = PlainConnect(printer_port);
        if (::write(fd, job.data(), job.size()) != static_cast<ssize_t>(job.size())) box.shown++;
        ::close(fd);
      }
    });
  }
  std::printf(
      "send pass over the socket port: %zu jobs, %.3f ms (settings in memory); the same jobs "
      "through the port alone %.3f ms; plain connect-write-close %.3f ms; ratio pass %.2f, "
      "jobs %.2f (goal <= 1.2)%s\n",
      port.jobs.size(), Median(pass) * 1e3, Median(jobs_alone) * 1e3, Median(plain) * 1e3,
      Median(pass) / Median(plain), Median(jobs_alone) / Median(plain),
      box.shown ? " (transmission errors!)" : "");
}

void DemoStream(std::uint16_t printer_port, const std::string& bytes) {
  zelora::SocketPort port("127.0.0.1", printer_port);
  std::vector<double> ours, plain;
  std::size_t refused = 0;
  for (int round = 0; round < 7; ++round) {  // alternated, so that noise hits both
    auto start = Clock::now();
    zelora::StreamDemoPage(port, bytes, nullptr, [&] { ++refused; });
    ours.push_back(Seconds(Clock::now() - start));

    start = Clock::now();
    const int fd = PlainConnect(printer_port);
    for (const char byte : bytes) refused += ::write(fd, &byte, 1) == 1 ? 0 : 1;
    ::shutdown(fd, SHUT_WR);
    ::close(fd);
    plain.push_back(Seconds(Clock::now() - start));
  }
  const double ours_rate = static_cast<double>(bytes.size()) / Median(ours);
  const double plain_rate = static_cast<double>(bytes.size()) / Median(plain);
  std::printf(
      "demo stream over a loopback connection: %zu bytes, %.2f MB/s; plain one-byte writes: "
      "%.2f MB/s; ratio %.2f (goal >= 0.9)%s\n",
      bytes.size(), ours_rate / 1e6, plain_rate / 1e6, ours_rate / plain_rate,
      refused ? " (refused bytes!)" : "");
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);  // the plain loops have no protection of their own
  const std::optional<std::string> stream =
      zelora::bench::StreamBytes(argc > 1 ? argv[1] : "resources/demo/k4xdemo.prn.txt");
  if (!stream) return 1;
  const std::string& bytes = *stream;

  zelora::testing::LoopbackPrinter printer;
  SendPass(printer);
  DemoStream(printer.port(), bytes);
  return 0;
}
