// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "device_port_writer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/fifo_printer.h"
#include "support/test_files.h"

namespace zelora {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

const std::string kBaud9600Job = "\x1b%-12345X@PJL DEFAULT BAUDRATE=9600\r\n\x1b%-12345X";

using testing::TempDir;

fs::path MakeFifo(const fs::path& path) {
  if (mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
  return path;
}

std::size_t OpenDescriptorCount() {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// Whether this process could lock the path exclusively right now, which it
// cannot while a writer still holds the port open.
bool CanLockExclusively(const fs::path& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const bool locked = flock(fd, LOCK_EX | LOCK_NB) == 0;
  close(fd);
  return locked;
}

// Reads a FIFO the way a printer would take jobs: every writer's bytes, from
// its open to its close, form one session.
class FifoReader {
 public:
  explicit FifoReader(fs::path path) : path_(std::move(path)), thread_([this] { Run(); }) {}
  ~FifoReader() {
    stop_ = true;
    thread_.join();
  }

  // Waits until the read end is open, so that a writer's open succeeds.
  bool WaitOpen() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(5), [this] { return open_; });
  }
  bool WaitSessions(std::size_t count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(5),
                             [&] { return sessions_.size() >= count; });
  }
  std::vector<std::string> Sessions() {
    std::lock_guard lock(mutex_);
    return sessions_;
  }

 private:
  void Run() {
    while (!stop_) {
      const int fd = open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd < 0) return;
      SetOpen(true);
      std::string session;
      bool ended = false;
      while (!stop_ && !ended) {
        pollfd entry{fd, POLLIN, 0};
        if (poll(&entry, 1, 20) <= 0) continue;
        char buffer[256];
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n > 0) session.append(buffer, static_cast<std::size_t>(n));
        if (n == 0) ended = true;  // the writer closed the port
      }
      close(fd);
      std::lock_guard lock(mutex_);
      open_ = false;
      if (ended) sessions_.push_back(session);
      changed_.notify_all();
    }
  }
  void SetOpen(bool open) {
    std::lock_guard lock(mutex_);
    open_ = open;
    changed_.notify_all();
  }

  fs::path path_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
  std::vector<std::string> sessions_;
  std::thread thread_;
};

// A FIFO whose read end is open but never read, filled to the brim.
class StuckFifo {
 public:
  explicit StuckFifo(const fs::path& path) {
    MakeFifo(path);
    read_fd_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const int write_fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    const std::string chunk(4096, 'x');
    while (write(write_fd, chunk.data(), chunk.size()) > 0) {
    }
    close(write_fd);
  }
  ~StuckFifo() { CloseReadEnd(); }
  int read_fd() const { return read_fd_; }
  void CloseReadEnd() {
    if (read_fd_ >= 0) close(read_fd_);
    read_fd_ = -1;
  }
  std::string Drain() {
    std::string all;
    char buffer[4096];
    ssize_t n;
    while ((n = read(read_fd_, buffer, sizeof buffer)) > 0) all.append(buffer, n);
    return all;
  }

 private:
  int read_fd_ = -1;
};

// ------------------------------------------------------ the device port writer

TEST(DevicePortWriter, FifoReaderGetsEachJobAsOneSessionInOrder) {
  TempDir dir;
  const fs::path fifo = MakeFifo(dir / "lp0");
  FifoReader reader(fifo);
  DevicePortWriter port(fifo.string());
  const std::vector<std::string> jobs = {kBaud9600Job,
                                         "\x1b%-12345X@PJL DEFAULT PAPER=LETTER\r\n\x1b%-12345X",
                                         "\x0c", std::string(kMaxJobLength, 'Z')};
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    ASSERT_TRUE(reader.WaitOpen());
    ASSERT_TRUE(port.WriteJob(jobs[i])) << i;
    ASSERT_TRUE(reader.WaitSessions(i + 1)) << i;
  }
  EXPECT_EQ(reader.Sessions(), jobs);
}

// Only a FIFO or a character device other than the memory devices is a port:
// a regular file (the user's own, say) or /dev/null would take every job and
// print none. Such a file does not open, and keeps what it held.
TEST(DevicePortWriter, OnlyAFifoOrAPrinterDeviceOpens) {
  TempDir dir;
  std::ofstream(dir / "profile") << "PATH=/bin\n";
  testing::FifoPrinter printer((dir / "lp0").string());
  for (const auto& [path, opens] : {std::pair{(dir / "profile").string(), false},
                                    {"/dev/null", false},
                                    {"/dev/zero", false},
                                    {"/dev/full", false},
                                    {(dir / "lp0").string(), true}}) {
    DevicePortWriter port(path);
    EXPECT_EQ(port.Open() != nullptr, opens) << path;
    EXPECT_EQ(port.WriteJob(kBaud9600Job), opens) << path;
  }
  EXPECT_EQ(testing::ReadFile(dir / "profile"), "PATH=/bin\n");
  EXPECT_EQ(printer.Received(), kBaud9600Job);
}

TEST(DevicePortWriter, MissingPortFailsAndCreatesNothing) {
  TempDir dir;
  for (const fs::path& path : {dir / "lp0", dir / "no-such-dir" / "lp0"}) {
    DevicePortWriter port(path.string());
    EXPECT_FALSE(port.WriteJob(kBaud9600Job)) << path;
    EXPECT_FALSE(fs::exists(path)) << path;
  }
}

TEST(DevicePortWriter, DanglingLinkToThePortCreatesNothing) {
  TempDir dir;
  fs::create_symlink(dir / "target", dir / "lp0");
  DevicePortWriter port((dir / "lp0").string());
  EXPECT_FALSE(port.WriteJob(kBaud9600Job));
  EXPECT_FALSE(fs::exists(dir / "target"));
}

TEST(DevicePortWriter, TenThousandJobsLeaveNoDescriptorOpen) {
  TempDir dir;
  testing::FifoPrinter printer((dir / "lp0").string());
  DevicePortWriter port((dir / "lp0").string());
  const std::size_t descriptors = OpenDescriptorCount();
  int failures = 0;
  for (int i = 0; i < 10'000; ++i) failures += port.WriteJob(kBaud9600Job) ? 0 : 1;
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(OpenDescriptorCount(), descriptors);
  EXPECT_EQ(printer.Received().size(), 10'000u * kBaud9600Job.size());
}

TEST(DevicePortWriter, FifoWithoutReaderFailsAtOnce) {
  TempDir dir;
  const fs::path fifo = MakeFifo(dir / "lp0");
  DevicePortWriter port(fifo.string());  // the full 90-second write limit
  const auto start = Clock::now();
  EXPECT_FALSE(port.WriteJob(kBaud9600Job));
  EXPECT_LT(Clock::now() - start, milliseconds(1000));
}

TEST(DevicePortWriter, PrinterThatNeverTakesBytesTimesOut) {
  TempDir dir;
  StuckFifo fifo(dir / "lp0");
  DevicePortWriter port((dir / "lp0").string(), milliseconds(200));
  const auto start = Clock::now();
  EXPECT_FALSE(port.WriteJob(kBaud9600Job));
  const auto elapsed = Clock::now() - start;
  EXPECT_GE(elapsed, milliseconds(200));
  EXPECT_LT(elapsed, milliseconds(3000));
}

TEST(DevicePortWriter, BusyPrinterThatCatchesUpGetsTheWholeJob) {
  TempDir dir;
  StuckFifo fifo(dir / "lp0");
  DevicePortWriter port((dir / "lp0").string(), milliseconds(10'000));
  std::string drained;
  std::thread printer([&] {
    std::this_thread::sleep_for(milliseconds(150));
    pollfd entry{fifo.read_fd(), POLLIN, 0};
    // Keep reading until the job has arrived behind the backlog.
    while (drained.size() < kBaud9600Job.size() ||
           drained.compare(drained.size() - kBaud9600Job.size(), std::string::npos, kBaud9600Job) !=
               0) {
      if (poll(&entry, 1, 5000) <= 0) break;
      drained += fifo.Drain();
    }
  });
  EXPECT_TRUE(port.WriteJob(kBaud9600Job));
  printer.join();
  ASSERT_GE(drained.size(), kBaud9600Job.size());
  EXPECT_EQ(drained.substr(drained.size() - kBaud9600Job.size()), kBaud9600Job);
}

TEST(DevicePortWriter, ReaderGoingAwayMidWriteFailsWithoutKillingTheProgram) {
  TempDir dir;
  StuckFifo fifo(dir / "lp0");
  DevicePortWriter port((dir / "lp0").string(), milliseconds(10'000));
  std::thread printer([&] {
    std::this_thread::sleep_for(milliseconds(100));
    fifo.CloseReadEnd();
  });
  const auto start = Clock::now();
  EXPECT_FALSE(port.WriteJob(kBaud9600Job));
  EXPECT_LT(Clock::now() - start, milliseconds(5000));
  printer.join();
}

// A write that fails releases the port all the same.
TEST(DevicePortConnection, WriteAfterTheReaderLeftFailsWithoutKillingTheProgram) {
  TempDir dir;
  const fs::path fifo = MakeFifo(dir / "lp0");
  const std::size_t descriptors = OpenDescriptorCount();
  const int read_fd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(read_fd, 0);
  DevicePortWriter port(fifo.string());
  {
    const std::unique_ptr<PortConnection> connection = port.Open();
    ASSERT_NE(connection, nullptr);
    close(read_fd);
    EXPECT_FALSE(connection->Write("\x0c"));
    EXPECT_FALSE(connection->Write("\x0c")) << "still alive for a second try";
  }
  const int back = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);  // the printer again
  EXPECT_TRUE(CanLockExclusively(fifo)) << "the port was left open";
  close(back);
  EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

TEST(DevicePortConnection, LongStreamArrivesWholeThroughPartialWrites) {
  TempDir dir;
  const fs::path fifo = MakeFifo(dir / "lp0");
  const int read_fd = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(read_fd, 0);
  std::string data(300'000, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 % 251);

  std::string received;
  std::atomic<bool> writer_done{false};
  std::thread printer([&] {
    char buffer[1000];
    for (;;) {
      pollfd entry{read_fd, POLLIN, 0};
      if (poll(&entry, 1, 100) == 0 && writer_done) break;
      const ssize_t n = read(read_fd, buffer, sizeof buffer);  // a slow printer
      if (n > 0) received.append(buffer, static_cast<std::size_t>(n));
      if (n == 0 && writer_done) break;
    }
  });
  DevicePortWriter port(fifo.string(), milliseconds(10'000));
  {
    const std::unique_ptr<PortConnection> connection = port.Open();
    ASSERT_NE(connection, nullptr);
    EXPECT_TRUE(connection->Write(data));
  }
  writer_done = true;
  printer.join();
  close(read_fd);
  EXPECT_TRUE(received == data) << received.size() << " of " << data.size() << " bytes";
}

}  // namespace
}  // namespace zelora
