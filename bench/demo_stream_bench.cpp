// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Bytes per second of the demonstration stream (one write call per byte, as
// the printer expects) into a drained FIFO through the device port writer,
// against `dd bs=1` into the same kind of FIFO, side by side in one run.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "demo_page.h"
#include "device_port_writer.h"
#include "stream_bytes.h"
#include "support/fifo_printer.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

double StreamOnce(const std::string& bytes) {
  zelora::testing::FifoPrinter fifo;
  zelora::DevicePortWriter port(fifo.path());
  std::size_t refused = 0;
  const auto start = Clock::now();
  const bool opened = zelora::StreamDemoPage(
      port, bytes, [](std::size_t, std::size_t) {}, [&] { ++refused; });
  const auto elapsed = Clock::now() - start;
  if (!opened || refused != 0) std::fprintf(stderr, "stream failed (%zu refused)\n", refused);
  return Seconds(elapsed);
}

double DdOnce(const std::string& file) {
  zelora::testing::FifoPrinter fifo;
  const std::string in = "if=" + file;
  const std::string out = "of=" + fifo.path();
  std::vector<char*> argv = {const_cast<char*>("dd"),          const_cast<char*>(in.c_str()),
                             const_cast<char*>(out.c_str()),   const_cast<char*>("bs=1"),
                             const_cast<char*>("status=none"), nullptr};
  pid_t pid = 0;
  const auto start = Clock::now();
  if (::posix_spawnp(&pid, "dd", nullptr, nullptr, argv.data(), environ) != 0) return 0;
  int status = 0;
  ::waitpid(pid, &status, 0);
  return Seconds(Clock::now() - start);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  // Long against the start of dd.
  const std::optional<std::string> stream =
      zelora::bench::StreamBytes(argc > 1 ? argv[1] : "resources/demo/k4xdemo.prn.txt");
  if (!stream) return 1;
  const std::string& bytes = *stream;
  char file[] = "/tmp/zelora-bench-demo-XXXXXX";
  const int fd = ::mkstemp(file);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
    return 1;
  }
  ::close(fd);

  std::vector<double> ours, dd;
  for (int round = 0; round < 7; ++round) {  // alternated, so that noise hits both
    ours.push_back(StreamOnce(bytes));
    dd.push_back(DdOnce(file));
  }
  ::unlink(file);
  const double ours_rate = static_cast<double>(bytes.size()) / Median(ours);
  const double dd_rate = static_cast<double>(bytes.size()) / Median(dd);
  std::printf("demo stream: %zu bytes, %.2f MB/s; dd bs=1: %.2f MB/s; ratio %.2f (goal >= 0.9)\n",
              bytes.size(), ours_rate / 1e6, dd_rate / 1e6, ours_rate / dd_rate);
  return 0;
}
