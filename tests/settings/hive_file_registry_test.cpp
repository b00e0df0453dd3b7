// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hive file itself: its text, its damage handling, its limits, and
// writers running at the same time.

#include "hive_file_registry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <new>
#include <optional>
#include <sstream>

#include "backend_fixtures.h"
#include "settings_key.h"
#include "settings_store.h"
#include "support/test_files.h"

// This program's operator new notes the largest single request while a test
// measures (the arrays' operator new comes here too).
namespace {
std::atomic<bool> measuring{false};
std::atomic<std::size_t> largest_request{0};
}  // namespace

void* operator new(std::size_t size) {
  if (measuring && size > largest_request) largest_request = size;
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace zelora::testing {
namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}
fs::perms Mode(const fs::path& path) { return fs::status(path).permissions(); }

class HiveFileTest : public ::testing::Test {
 protected:
  HiveFileRegistry& hive() { return fixture_.hive(); }
  std::string Message(const std::function<void()>& action) {
    try {
      action();
    } catch (const RegistryError& e) {
      return e.what();
    }
    return "(no error)";
  }
  HiveFixture fixture_;
};

TEST_F(HiveFileTest, WritesTheRegistryExportText) {
  {
    auto key = SettingsKey::OpenForWriting(hive());
    ASSERT_TRUE(key.has_value());
    key->WriteInteger("R_x", 10);
    key->WriteInteger("R_y", -1);
    key->WriteFloat("R_timeout", 20.0L);
  }
  PutRaw(hive(), kSettingsKeyPath, "R_name", reg_type::kSz, Bytes("C:\\a \"b\"", true));
  PutRaw(hive(), kSettingsKeyPath, "R_raw", reg_type::kSz, {'a', '\t', 0});
  PutRaw(hive(), kSettingsKeyPath, "R_big", reg_type::kDwordBigEndian, {0, 0, 0, 10});
  PutRaw(hive(), kSettingsKeyPath, "R_none", reg_type::kNone, {});
  PutRaw(hive(), kSettingsKeyPath, "r_X", reg_type::kDword, {11, 0, 0, 0});
  EXPECT_EQ(ReadFile(hive().file()),
            "REGEDIT4\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\Software]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Quorvan]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Quorvan\\Zelora]\n"
            "\"R_x\"=dword:0000000b\n"
            "\"R_y\"=dword:ffffffff\n"
            "\"R_timeout\"=hex:00,00,00,00,00,00,34,40\n"
            "\"R_name\"=\"C:\\\\a \\\"b\\\"\"\n"
            "\"R_raw\"=hex(1):61,09,00\n"
            "\"R_big\"=hex(5):00,00,00,0a\n"
            "\"R_none\"=hex(0):\n"
            "\n");
}

TEST_F(HiveFileTest, ReadsHandWrittenFiles) {
  WriteText(hive().file(),
            "REGEDIT4\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE]\r\n"
            "[hkey_local_machine\\software\\quorvan\\zelora]\r\n"
            "\"R_lpi\"=hex:00,00,00,00,00,00,\\\r\n"
            "  50,40\r\n"
            "\"R_papersize\"=dword:0000000C\r\n"
            "@=\"default\"\r\n");
  auto key = SettingsKey::OpenForReading(hive());
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->ReadFloat("R_lpi"), 64.0L);
  EXPECT_EQ(key->ReadInteger("R_papersize"), 12);
  EXPECT_TRUE(key->ValueExists(""));
}

// Nothing of a file that does not parse is lost: loading names the file and
// the line, storing is refused, and the bytes stay as they were.
TEST_F(HiveFileTest, DamagedFileIsReportedAndLeftUntouched) {
  const std::string good =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quorvan\\Zelora]\n\"R_x\"=dword:00000001\n";
  const std::vector<std::pair<std::string, int>> cases = {
      {good.substr(0, good.size() - 5), 4},  // cut in the middle of a line
      {"REGEDIT5\n", 1},
      {"REGEDIT4\n\n" + std::string("\x7f"
                                    "ELF\0\x02\x01\n",
                                    8),
       3},
      {"REGEDIT4\n\n\"R_x\"=dword:00000001\n", 3},
      {good + "\"R_y\"=dword:1\n", 5},
      {good + "\"R_y\"=hex:01,2\n", 5},
      {good + "\"R_y\"=\"a\\tb\"\n", 5},
      {good + "\"r_X\"=dword:00000002\n", 5},
      {good + "[HKEY_CURRENT_USER\\Software]\n", 5},
      {good + "[HKEY_LOCAL_MACHINE\\]\n", 5},
      {good + "[HKEY_LOCAL_MACHINE]\n\"R_y\"=dword:00000001\n", 6},
      {good + "\"R_y\"=hex:01,\\\n", 5},
      {good + "; comment\n", 5},
      {good + "\"R_y\"=dword:-0000001\n", 5},
      {good + "\"R_y\"=hex:+1\n", 5},
  };
  for (const auto& [text, line] : cases) {
    SCOPED_TRACE(line);
    WriteText(hive().file(), text);
    SettingsStore store(hive());
    SettingsRecord record = LoadDefaults();
    const std::string message = Message([&] { store.LoadSettings(record); });
    const std::string prefix = "Settings file '" + hive().file().string() +
                               "' is damaged at line " + std::to_string(line) + ": ";
    EXPECT_TRUE(message.starts_with(prefix)) << message;
    SettingsRecord factory;
    SetFactoryDefaults(factory);
    EXPECT_EQ(record, factory);
    SettingValues values;
    for (int i = 0; i < kSettingCount; ++i) {
      values[static_cast<std::size_t>(i)] = RecordValue(static_cast<Setting>(i), record);
    }
    EXPECT_THROW(store.StoreSetting(Setting::Lpi, 100.0L, record), HiveFileError);
    EXPECT_THROW(store.StoreAllSettings(values), HiveFileError);
    EXPECT_THROW(store.StoreWindowPosition(1, 2, record), HiveFileError);
    EXPECT_EQ(ReadFile(hive().file()), text);
    EXPECT_FALSE(fs::exists(hive().file().string() + ".tmp"));
  }
}

TEST_F(HiveFileTest, SizeLimitsAndTheRoomReadingTakes) {
  const std::string header = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quorvan\\Zelora]\n";
  std::string full = header + std::string(HiveFileRegistry::kMaxFileSize - header.size(), '\n');
  WriteText(hive().file(), full);
  EXPECT_TRUE(SettingsKey::OpenForReading(hive()).has_value());  // exactly at the limit

  WriteText(hive().file(), full + "\n");
  EXPECT_EQ(Message([&] { SettingsKey::OpenForReading(hive()); }),
            "Settings file '" + hive().file().string() + "' is larger than 1 MiB and is not read");
  EXPECT_THROW(SettingsKey::OpenForWriting(hive()), HiveFileError);
  EXPECT_EQ(ReadFile(hive().file()), full + "\n");

  // A small file takes room for its size, not for the largest allowed file.
  WriteText(hive().file(), header + "\"R_x\"=dword:00000001\n");
  largest_request = 0;
  measuring = true;
  EXPECT_TRUE(SettingsKey::OpenForReading(hive()).has_value());
  measuring = false;
  EXPECT_LT(largest_request, 4096U);

  // A value of 64 KiB is taken, one byte more is not, neither from a file
  // nor from a write.
  std::string hex;
  for (std::size_t i = 0; i <= HiveFileRegistry::kMaxValueSize; ++i) hex += i ? ",00" : "00";
  WriteText(hive().file(), header + "\"R_big\"=hex:" + hex + "\n");
  EXPECT_NE(Message([&] { SettingsKey::OpenForReading(hive()); }).find("larger than 64 KiB"),
            std::string::npos);
  WriteText(hive().file(), header);
  auto key = hive().CreateKey(kSettingsKeyPath);
  ASSERT_NE(key, nullptr);
  std::vector<std::uint8_t> data(HiveFileRegistry::kMaxValueSize);
  EXPECT_TRUE(key->SetValue("R_big", reg_type::kBinary, data));
  data.push_back(0);
  EXPECT_FALSE(key->SetValue("R_big", reg_type::kBinary, data));
}

// A file at the size limit made of tiny entries still opens at once: the
// parse must not compare every key or value with all those before it.
TEST_F(HiveFileTest, FileOfManySmallEntriesOpensQuickly) {
  const std::string header = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quorvan\\Zelora]\n";
  const auto fill = [&](const std::function<std::string(int)>& entry) {
    std::string text = header;
    for (int i = 0;; ++i) {
      const std::string line = entry(i) + "\n";
      if (text.size() + line.size() > HiveFileRegistry::kMaxFileSize) return text;
      text += line;
    }
  };
  const std::vector<std::string> files = {
      fill([](int i) { return "\"v" + std::to_string(i) + "\"=hex:"; }),
      fill([](int i) { return "[HKEY_LOCAL_MACHINE\\k" + std::to_string(i) + "]"; }),
  };
  for (const std::string& text : files) {
    WriteText(hive().file(), text);
    const auto start = std::chrono::steady_clock::now();
    auto key = SettingsKey::OpenForReading(hive());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ASSERT_TRUE(key.has_value());
    EXPECT_LT(elapsed, std::chrono::seconds(10));
  }
}

// An empty file (an interrupted copy, a `touch`) holds no keys: loading
// takes the no-key path and the first store writes a whole file.
TEST_F(HiveFileTest, EmptyFileIsAHiveWithoutKeys) {
  WriteText(hive().file(), "");
  EXPECT_FALSE(SettingsKey::OpenForReading(hive()).has_value());
  PutRaw(hive(), kSettingsKeyPath, "R_x", reg_type::kDword, {1, 0, 0, 0});
  EXPECT_TRUE(ReadFile(hive().file()).starts_with("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n"));
  auto key = SettingsKey::OpenForReading(hive());
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->ReadInteger("R_x"), 1);
}

// Key paths are bounded as in the registry: 512 levels of 255 characters.
// Beyond that a file is damaged, found at once even when its one key fills
// the file. The deepest allowed key loads quickly, but a store would write
// every level with its full path, far beyond the size limit: it is refused
// and the file stays.
TEST_F(HiveFileTest, KeyPathsAreBoundedAsInTheRegistry) {
  const auto file_with_key = [](std::size_t levels, std::size_t name_size) {
    std::string text = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE";
    for (std::size_t i = 0; i < levels; ++i) text += '\\' + std::string(name_size, 'a');
    return text + "]\n";
  };
  const std::string deepest = file_with_key(512, 255);
  WriteText(hive().file(), deepest);
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(SettingsKey::OpenForReading(hive()).has_value());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_NE(Message([&] { SettingsKey::OpenForWriting(hive()); }).find("cannot grow beyond 1 MiB"),
            std::string::npos);
  EXPECT_EQ(ReadFile(hive().file()), deepest);

  const std::vector<std::pair<std::string, std::string>> damaged = {
      {file_with_key(513, 1), "the key is more than 512 levels deep"},
      {file_with_key(1, 256), "a key name is longer than 255 characters"},
      {file_with_key((HiveFileRegistry::kMaxFileSize - 40) / 2, 1),
       "the key is more than 512 levels deep"},
  };
  for (const auto& [text, reason] : damaged) {
    WriteText(hive().file(), text);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(Message([&] { SettingsKey::OpenForReading(hive()); }),
              "Settings file '" + hive().file().string() + "' is damaged at line 3: " + reason);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  }
}

// Whatever stands where the lock file goes (a FIFO, a link, a folder), the
// settings load at once and show what is stored: reading needs no lock. A
// store reports it instead of waiting for a writer that never comes.
TEST_F(HiveFileTest, OddLockPathStillLoadsAndStoresReportIt) {
  PutRaw(hive(), kSettingsKeyPath, "R_x", reg_type::kDword, {7, 0, 0, 0});
  const std::string lock = hive().file().string() + ".lock";
  const std::pair<const char*, std::function<int()>> odd_things[] = {
      {"fifo", [&] { return ::mkfifo(lock.c_str(), 0644); }},
      {"link", [&] { return ::symlink("elsewhere", lock.c_str()); }},
      {"folder", [&] { return ::mkdir(lock.c_str(), 0755); }},
  };
  for (const auto& [what, make] : odd_things) {
    fs::remove(lock);
    ASSERT_EQ(make(), 0) << what;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::alarm(5);  // a hang ends the child by the signal
      HiveFileRegistry own(fixture_.dir());
      auto key = SettingsKey::OpenForReading(own);
      const bool loads = key.has_value() && key->ReadInteger("R_x") == 7;
      bool store_reports = false;
      try {
        SettingsKey::OpenForWriting(own);
      } catch (const HiveFileError& e) {
        store_reports = std::string(e.what()).ends_with("is not a regular file");
      }
      ::_exit((loads ? 0 : 1) | (store_reports ? 0 : 2));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "opening hung on the " << what;
    EXPECT_EQ(WEXITSTATUS(status) & 1, 0) << "stored value not loaded with a " << what;
    EXPECT_EQ(WEXITSTATUS(status) & 2, 0) << "store did not report the " << what;
  }
  fs::remove(lock);
}

// Another copy of the program in the middle of a store does not keep this one
// from loading: reading does not wait for the lock, and sees the file as the
// last complete write left it.
TEST_F(HiveFileTest, ReadingDoesNotWaitForAWriter) {
  PutRaw(hive(), kSettingsKeyPath, "R_x", reg_type::kDword, {7, 0, 0, 0});
  int held[2];
  int release[2];
  ASSERT_EQ(::pipe(held), 0);
  ASSERT_EQ(::pipe(release), 0);
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    HiveFileRegistry other(fixture_.dir());
    auto key = SettingsKey::OpenForWriting(other);
    char byte = 0;
    if (!key || ::write(held[1], "x", 1) != 1 || ::read(release[0], &byte, 1) != 1) ::_exit(1);
    ::_exit(0);
  }
  char byte = 0;
  ASSERT_EQ(::read(held[0], &byte, 1), 1);
  const auto start = std::chrono::steady_clock::now();
  std::optional<std::int32_t> x;
  const std::string message = Message([&] {
    if (auto key = SettingsKey::OpenForReading(hive())) x = key->ReadInteger("R_x");
  });
  const auto elapsed = std::chrono::steady_clock::now() - start;
  ASSERT_EQ(::write(release[1], "x", 1), 1);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  for (int fd : {held[0], held[1], release[0], release[1]}) ::close(fd);

  EXPECT_EQ(message, "(no error)");
  EXPECT_EQ(x, 7);
  EXPECT_LT(elapsed, std::chrono::seconds(1));
}

// A lock that a user who may store cannot open (another's, shut to her) is
// named when she stores, not taken for the folder refusing her.
TEST_F(HiveFileTest, LockThatCannotBeOpenedIsNamedByTheStore) {
  PutRaw(hive(), kSettingsKeyPath, "R_x", reg_type::kDword, {1, 0, 0, 0});
  fs::permissions(hive().file().parent_path(), static_cast<fs::perms>(0777));
  fs::permissions(hive().file().string() + ".lock", static_cast<fs::perms>(0600));
  HiveFixture::RunUnprivileged([&] {
    HiveFileRegistry own(fixture_.dir());
    try {
      SettingsKey::OpenForWriting(own);
      ADD_FAILURE() << "no error";
    } catch (const HiveFileError& e) {
      EXPECT_EQ(e.what(), "Cannot open settings lock file '" + own.file().string() +
                              ".lock': Permission denied");
    }
  });
}

// Once the new file is renamed into place the value is stored, even when the
// directory cannot be synced afterwards (here: not even opened for reading).
TEST_F(HiveFileTest, ValueRenamedIntoPlaceIsStoredWithoutADirectorySync) {
  PutRaw(hive(), kSettingsKeyPath, "R_x", reg_type::kDword, {1, 0, 0, 0});
  for (const std::string suffix : {"", ".lock"}) {
    fs::permissions(hive().file().string() + suffix, static_cast<fs::perms>(0666));
  }
  fs::permissions(hive().file().parent_path(), static_cast<fs::perms>(0333));
  HiveFixture::RunUnprivileged([&] {
    HiveFileRegistry own(fixture_.dir());
    auto key = SettingsKey::OpenForWriting(own);
    ASSERT_TRUE(key.has_value());
    EXPECT_NO_THROW(key->WriteInteger("R_x", 2));
  });
  fs::permissions(hive().file().parent_path(), static_cast<fs::perms>(0755));
  auto key = SettingsKey::OpenForReading(hive());
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->ReadInteger("R_x"), 2);
}

TEST_F(HiveFileTest, TemporaryFileIsNeverOpenedThroughALink) {
  PutRaw(hive(), kSettingsKeyPath, "R_x", reg_type::kDword, {1, 0, 0, 0});
  const fs::path victim = hive().file().parent_path() / "victim";
  WriteText(victim, "precious");
  fs::create_symlink(victim, hive().file().string() + ".tmp");

  PutRaw(hive(), kSettingsKeyPath, "R_y", reg_type::kDword, {2, 0, 0, 0});
  EXPECT_EQ(ReadFile(victim), "precious");
  EXPECT_FALSE(fs::exists(fs::symlink_status(hive().file().string() + ".tmp")));
  auto key = SettingsKey::OpenForReading(hive());
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->ReadInteger("R_y"), 2);
}

TEST_F(HiveFileTest, NewFilesAreNotWorldWritableAndModesAreKept) {
  const mode_t old_mask = ::umask(0);
  PutRaw(hive(), kSettingsKeyPath, "R_x", reg_type::kDword, {1, 0, 0, 0});
  ::umask(old_mask);
  EXPECT_EQ(Mode(hive().file()) & fs::perms::others_write, fs::perms::none);
  EXPECT_EQ(Mode(hive().file().parent_path()) & fs::perms::others_write, fs::perms::none);

  fs::permissions(hive().file(), static_cast<fs::perms>(0664));
  PutRaw(hive(), kSettingsKeyPath, "R_y", reg_type::kDword, {2, 0, 0, 0});
  EXPECT_EQ(Mode(hive().file()), static_cast<fs::perms>(0664));

  fs::permissions(hive().file(), static_cast<fs::perms>(0666));
  PutRaw(hive(), kSettingsKeyPath, "R_y", reg_type::kDword, {3, 0, 0, 0});
  EXPECT_EQ(Mode(hive().file()), static_cast<fs::perms>(0664));
}

// A writer killed after creating its temporary file does not block later ones.
TEST_F(HiveFileTest, LeftoverTemporaryFileIsReplaced) {
  PutRaw(hive(), kSettingsKeyPath, "R_x", reg_type::kDword, {1, 0, 0, 0});
  WriteText(hive().file().string() + ".tmp", "REGEDIT4\n\n[HKEY_LOC");
  PutRaw(hive(), kSettingsKeyPath, "R_y", reg_type::kDword, {2, 0, 0, 0});
  auto key = SettingsKey::OpenForReading(hive());
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->ReadInteger("R_x"), 1);
  EXPECT_EQ(key->ReadInteger("R_y"), 2);
}

// A writer holds the lock for its whole access and reads the file under it,
// so a second process writing meanwhile waits and then keeps the first's value.
TEST_F(HiveFileTest, SecondWriterWaitsForTheFirstAndKeepsItsValue) {
  ASSERT_NE(hive().CreateKey(kSettingsKeyPath), nullptr);
  int go[2];
  ASSERT_EQ(::pipe(go), 0);
  // Forked before the first writer opens: a child must not inherit the lock.
  std::fflush(nullptr);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(go[1]);
    char byte = 0;
    if (::read(go[0], &byte, 1) != 1) ::_exit(2);
    HiveFileRegistry other(fixture_.dir());
    auto key = SettingsKey::OpenForWriting(other);
    if (key) key->WriteInteger("R_y", 2);
    ::_exit(key ? 0 : 1);
  }
  ::close(go[0]);
  auto first = SettingsKey::OpenForWriting(hive());
  ASSERT_TRUE(first.has_value());
  ASSERT_EQ(::write(go[1], "x", 1), 1);
  ::close(go[1]);
  ::usleep(300 * 1000);
  int status = 0;
  EXPECT_EQ(::waitpid(child, &status, WNOHANG), 0) << "the second writer did not wait";
  first->WriteInteger("R_x", 1);
  first.reset();
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  auto key = SettingsKey::OpenForReading(hive());
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->ReadInteger("R_x"), 1);
  EXPECT_EQ(key->ReadInteger("R_y"), 2);
}

TEST_F(HiveFileTest, ConcurrentWritersLoseNothing) {
  constexpr int kWriters = 3;
  constexpr int kValuesEach = 40;
  std::fflush(nullptr);
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      HiveFileRegistry own(fixture_.dir());
      for (int i = 0; i < kValuesEach; ++i) {
        auto key = SettingsKey::OpenForWriting(own);
        if (!key) ::_exit(1);
        key->WriteInteger("V" + std::to_string(w) + "_" + std::to_string(i), w * 1000 + i);
      }
      ::_exit(0);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  auto key = SettingsKey::OpenForReading(hive());
  ASSERT_TRUE(key.has_value());
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kValuesEach; ++i) {
      const std::string name = "V" + std::to_string(w) + "_" + std::to_string(i);
      ASSERT_TRUE(key->ValueExists(name)) << name;
      EXPECT_EQ(key->ReadInteger(name), w * 1000 + i);
    }
  }
}

}  // namespace
}  // namespace zelora::testing
