// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo_page.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "support/recording_port.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include "support/test_files.h"
#include "support/unprivileged.h"
#endif

namespace zelora {
namespace {

using testing::RecordingPrinterPort;

// 1000 bytes in which no byte follows the one before it by a fixed step, so a
// reordered or repeated write shows.
std::string ThousandBytes() {
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes.push_back(static_cast<char>((i * 151 + i / 256) % 256));
  return bytes;
}

TEST(DemoPage, IoErrorTexts) {
  const std::pair<int, const char*> cases[] = {
      {2, "File not found"},
      {3, "Invalid filename"},
      {4, "Too many open files"},
      {5, "File access denied"},
      {100, "Read beyond end of file"},
      {101, "Disk full"},
      {106, "Invalid numeric input"},
      {6, "I/O error 6"},
      {32, "I/O error 32"},
      {103, "I/O error 103"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(IoErrorText(code), text) << code;
}

TEST(DemoPage, PathIsDirectorySeparatorAndName) {
#ifdef _WIN32
  EXPECT_EQ(DemoFilePathIn("C:\\Program Files\\Zelora"), "C:\\Program Files\\Zelora\\k4xdemo.prn");
  EXPECT_EQ(DemoFilePathIn("C:\\"), "C:\\\\k4xdemo.prn");
#else
  EXPECT_EQ(DemoFilePathIn("/home/user/print"), "/home/user/print/k4xdemo.prn");
  EXPECT_EQ(DemoFilePathIn("/"), "//k4xdemo.prn");
#endif
}

// ---- sending ----

struct StreamRecord {
  std::vector<std::string> events;  // "refused", "<done>/<total>"
};

bool Stream(RecordingPrinterPort& port, const std::string& bytes, StreamRecord& record) {
  return StreamDemoPage(
      port, bytes,
      [&](std::size_t done, std::size_t total) {
        record.events.push_back(std::to_string(done) + "/" + std::to_string(total));
      },
      [&] { record.events.push_back("refused"); });
}

TEST(DemoPage, EmptyFileOpensAndClosesThePortAndWritesNothing) {
  RecordingPrinterPort port;
  StreamRecord record;
  EXPECT_TRUE(Stream(port, "", record));
  EXPECT_EQ(port.opens, 1);
  EXPECT_EQ(port.closes, 1);
  EXPECT_TRUE(port.writes.empty());
  EXPECT_TRUE(record.events.empty());
}

TEST(DemoPage, EveryByteIsOneWriteInFileOrderOverOneConnection) {
  const std::string bytes = ThousandBytes();
  RecordingPrinterPort port;
  StreamRecord record;
  EXPECT_TRUE(Stream(port, bytes, record));

  EXPECT_EQ(port.opens, 1);
  EXPECT_EQ(port.closes, 1);
  ASSERT_EQ(port.writes.size(), 1000u);
  for (const std::string& write : port.writes) ASSERT_EQ(write.size(), 1u);
  EXPECT_EQ(port.Bytes(), bytes);
  ASSERT_EQ(record.events.size(), 1000u);
  EXPECT_EQ(record.events[0], "1/1000");
  EXPECT_EQ(record.events[499], "500/1000");
  EXPECT_EQ(record.events.back(), "1000/1000");
}

TEST(DemoPage, FirstRefusedByteIsReportedAndEndsTheTransfer) {
  RecordingPrinterPort port;
  port.accepts_bytes = false;
  StreamRecord record;
  EXPECT_TRUE(Stream(port, "abc", record));
  EXPECT_EQ(port.writes, std::vector<std::string>{"a"});
  EXPECT_EQ(record.events, std::vector<std::string>{"refused"});
  EXPECT_EQ(port.closes, 1);
}

TEST(DemoPage, PortThatDoesNotOpenEndsAtOnce) {
  RecordingPrinterPort port;
  port.opens_ok = false;
  StreamRecord record;
  EXPECT_FALSE(Stream(port, "abc", record));
  EXPECT_EQ(port.opens, 1);
  EXPECT_TRUE(port.writes.empty());
  EXPECT_TRUE(record.events.empty());
}

TEST(DemoPage, PortIsClosedWhenTheProgressThrows) {
  RecordingPrinterPort port;
  EXPECT_THROW(StreamDemoPage(port, "abc",
                              [](std::size_t done, std::size_t) {
                                if (done == 2) throw std::runtime_error("gauge gone");
                              },
                              {}),
               std::runtime_error);
  EXPECT_EQ(port.writes.size(), 2u);
  EXPECT_FALSE(port.IsOpen());
}

// ---- reading the file ----

#ifndef _WIN32
namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

// The error text ReadDemoFile throws for the path, or "read" when it reads.
std::string ReadError(const std::string& path) {
  try {
    ReadDemoFile(path);
    return "read";
  } catch (const DemoFileError& e) {
    return e.what();
  }
}

class DemoFileTest : public ::testing::Test {
 protected:
  testing::TempDir dir{"zelora-demo-"};
  fs::path file = dir / "k4xdemo.prn";
};

TEST_F(DemoFileTest, FileInTheCurrentDirectoryIsReadWhole) {
  const std::string bytes = ThousandBytes();
  WriteFile(file, bytes);
  const testing::ScopedCurrentDirectory here(dir.path());
  EXPECT_EQ(DemoFilePath(), file.string());
  EXPECT_EQ(ReadDemoFile(DemoFilePath()), bytes);
}

TEST_F(DemoFileTest, EmptyFileReadsAsNoBytes) {
  WriteFile(file, "");
  EXPECT_EQ(ReadDemoFile(file.string()), "");
}

TEST_F(DemoFileTest, OpenFailuresGiveTheirTexts) {
  WriteFile(dir / "plain", "x");
  fs::create_directory(dir / "folder");
  const std::pair<fs::path, const char*> cases[] = {
      {file, "File not found"},
      {dir / "plain" / "k4xdemo.prn", "Invalid filename"},
      {dir.path() / (std::string(300, 'n') + ".prn"), "Invalid filename"},
      {dir / "folder", "File access denied"},
  };
  for (const auto& [path, text] : cases) EXPECT_EQ(ReadError(path.string()), text) << path;
  EXPECT_FALSE(fs::exists(file)) << "a missing file is not created";
  // A FIFO in the file's place has no writer: the open must not wait for one.
  ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
  EXPECT_EQ(ReadError(file.string()), "read");
}

// A kernel attribute file states a page as its size but holds a few bytes:
// the read ends before the size the file gave.
TEST(DemoFileRead, FileShorterThanItsSizeIsReadBeyondEndOfFile) {
  const fs::path attribute = "/sys/devices/system/cpu/online";
  std::error_code error;
  const auto stated = fs::file_size(attribute, error);
  if (error || stated == 0) GTEST_SKIP() << attribute << " is missing or states no size";
  std::ifstream in(attribute, std::ios::binary);
  const std::string held{std::istreambuf_iterator<char>(in), {}};
  ASSERT_LT(held.size(), stated);
  EXPECT_EQ(ReadError(attribute.string()), "Read beyond end of file");
}

// As the package starts it: an ordinary user in a folder she may not write,
// reading a file she may only read. The bytes reach the port unchanged; only
// a file she may not read is refused.
TEST_F(DemoFileTest, ReadOnlyFolderPrintsForAnOrdinaryUser) {
  const std::string bytes = ThousandBytes();
  WriteFile(file, bytes);
  WriteFile(dir / "secret", "demo");
  constexpr auto kReadOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  constexpr auto kX = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  fs::permissions(file, kReadOnly);
  fs::permissions(dir / "secret", fs::perms::none);
  fs::permissions(dir.path(), kReadOnly | kX);
  testing::RunUnprivileged([&] {
    const testing::ScopedCurrentDirectory here(dir.path());
    RecordingPrinterPort port;
    EXPECT_TRUE(StreamDemoPage(port, ReadDemoFile(DemoFilePath()), {}, {}));
    EXPECT_EQ(port.Bytes(), bytes);
    EXPECT_EQ(ReadError((dir / "secret").string()), "File access denied");
  });
  fs::permissions(dir.path(), fs::perms::owner_all);
}
#endif

}  // namespace
}  // namespace zelora
