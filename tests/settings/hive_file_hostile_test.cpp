// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile things where the hive file, its temporary file or its lock go. Each
// case loads and then stores in a child process with an alarm and a cap on its
// address space: none may hang, run out of bounds or crash, and nothing that
// cannot be parsed (nor anything a link points to) may be overwritten.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "hive_file_registry.h"
#include "settings_key.h"
#include "support/test_files.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZELORA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELORA_ASAN 1
#endif
#endif

namespace zelora::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const std::string kHeader = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Quorvan\\Zelora]\n";
const std::string kGood = kHeader + "\"R_x\"=dword:00000001\n";

void Write(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// What is at a path, without following a link: its kind, and the bytes of a
// regular file (only the size of a large one) or the target of a link.
std::string Snapshot(const fs::path& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return "missing";
  if (S_ISFIFO(st.st_mode)) return "fifo";
  if (S_ISDIR(st.st_mode)) return "directory";
  if (S_ISLNK(st.st_mode)) return "link to " + fs::read_symlink(path).string();
  if (st.st_size > (std::int64_t{2} << 20)) return "large file of " + std::to_string(st.st_size);
  return "file: " + ReadFile(path);
}

struct Hostile {
  const char* name;
  // Puts the hostile thing in place; a good hive is there before.
  std::function<void(const fs::path& hive, const fs::path& dir)> plant;
  bool loads;   // R_x reads as 1
  bool stores;  // R_x = 2 is stored and reads back
  // What must stay as it was: the hive itself unless it is replaced by a
  // store, or what a link points to.
  std::function<fs::path(const fs::path& hive, const fs::path& dir)> kept;
};

fs::path Hive(const fs::path& hive, const fs::path&) { return hive; }
fs::path Victim(const fs::path&, const fs::path& dir) { return dir / "victim"; }
fs::path Beside(const fs::path& hive, const char* suffix) { return hive.string() + suffix; }

// Loads and stores in a child; its exit code says what worked (bit 0 loaded,
// bit 1 stored), 8 an error that is not a registry error, such as running out
// of memory.
int LoadAndStore(const fs::path& dir) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::alarm(10);
#ifndef ZELORA_ASAN
    // Far more than a 1 MiB file needs, far less than reading a huge one.
    rlimit limit{};
    ::getrlimit(RLIMIT_AS, &limit);
    std::ifstream status("/proc/self/statm");
    std::size_t pages = 0;
    status >> pages;
    limit.rlim_cur = pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + (256u << 20);
    ::setrlimit(RLIMIT_AS, &limit);
#endif
    int result = 0;
    try {
      HiveFileRegistry registry(dir);
      try {
        auto key = SettingsKey::OpenForReading(registry);
        if (key && key->ReadInteger("R_x") == 1) result |= 1;
      } catch (const RegistryError&) {
      }
      try {
        auto key = SettingsKey::OpenForWriting(registry);
        if (key) {
          key->WriteInteger("R_x", 2);
          key.reset();
          auto again = SettingsKey::OpenForReading(registry);
          if (again && again->ReadInteger("R_x") == 2) result |= 2;
        }
      } catch (const RegistryError&) {
      }
    } catch (...) {
      result = 8;
    }
    std::fflush(nullptr);
    ::_exit(result);
  }
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
  if (WIFSIGNALED(status)) return 100 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

TEST(HiveFileHostileTest, NeitherHangsNorGrowsNorOverwrites) {
  const auto bad_text = [](std::string text) {
    return [text](const fs::path& hive, const fs::path&) { Write(hive, text); };
  };
  const auto link_to_victim = [](const char* suffix, const std::string& victim_text) {
    return [suffix, victim_text](const fs::path& hive, const fs::path& dir) {
      if (!victim_text.empty()) Write(dir / "victim", victim_text);
      fs::remove(Beside(hive, suffix));
      fs::create_symlink(dir / "victim", Beside(hive, suffix));
    };
  };
  std::string deep = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE";
  for (int i = 0; i < 513; ++i) deep += "\\k";
  deep += "]\n";
  std::string big_value = kHeader + "\"R_x\"=dword:00000001\n\"R_big\"=hex:00";
  for (std::size_t i = 0; i < HiveFileRegistry::kMaxValueSize; ++i) big_value += ",00";
  big_value += "\n";

  const std::vector<Hostile> cases = {
      // The hive itself.
      {"key path deeper than the registry allows", bad_text(deep), false, false, Hive},
      {"byte-order mark", bad_text("\xef\xbb\xbf" + kGood), false, false, Hive},
      {"NUL byte in a value line",
       // The literal's own length, its NUL included.
       bad_text(kHeader + "\"R_x\"=dword:0000\0"
                          "001\n"s),
       false, false, Hive},
      {"lone carriage return", bad_text(kHeader + "\"R_x\"=dword:00000001\r\"R_y\"=dword:0\n"),
       false, false, Hive},
      {"value one byte over the limit", bad_text(big_value), false, false, Hive},
      {"CRLF line ends",
       bad_text("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Quorvan\\Zelora]"
                "\r\n\"R_x\"=dword:00000001\r\n"),
       true, true, Victim},
      {"sparse file of 8 GiB",
       [](const fs::path& hive, const fs::path&) {
         fs::resize_file(hive, std::uintmax_t{8} << 30);
       },
       false, false, Hive},
      {"FIFO at the hive",
       [](const fs::path& hive, const fs::path&) {
         fs::remove(hive);
         ::mkfifo(hive.c_str(), 0644);
       },
       false, false, Hive},
      {"directory at the hive",
       [](const fs::path& hive, const fs::path&) {
         fs::remove(hive);
         fs::create_directory(hive);
       },
       false, false, Hive},
      {"link at the hive to /dev/zero",
       [](const fs::path& hive, const fs::path&) {
         fs::remove(hive);
         fs::create_symlink("/dev/zero", hive);
       },
       false, false, Hive},
      {"link at the hive to a file that is not a hive", link_to_victim("", "root:x:0:0::/root:\n"),
       false, false, Victim},
      // A link to a good hive is read through; a store replaces the link by
      // a file and leaves what it pointed to alone.
      {"link at the hive to a good hive", link_to_victim("", kGood), true, true, Victim},
      // Its temporary file: a leftover is removed, never written through.
      {"FIFO at the temporary file",
       [](const fs::path& hive, const fs::path&) { ::mkfifo(Beside(hive, ".tmp").c_str(), 0644); },
       true, true, Victim},
      {"directory at the temporary file",
       [](const fs::path& hive, const fs::path&) { fs::create_directory(Beside(hive, ".tmp")); },
       true, false, Hive},
      // Its lock: without a lock there is no store, but reading needs none.
      {"directory at the lock",
       [](const fs::path& hive, const fs::path&) {
         fs::remove(Beside(hive, ".lock"));
         fs::create_directory(Beside(hive, ".lock"));
       },
       true, false, Hive},
      {"link at the lock to a missing file", link_to_victim(".lock", ""), true, false, Victim},
      {"link at the lock to a file", link_to_victim(".lock", "precious\n"), true, false, Victim},
  };

  for (const Hostile& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir("zelora-hostile-");
    const fs::path hive = dir.path() / "HKEY_LOCAL_MACHINE.reg";
    Write(hive, kGood);
    c.plant(hive, dir.path());
    const fs::path kept = c.kept(hive, dir.path());
    const std::string before = Snapshot(kept);

    const int result = LoadAndStore(dir.path());
    ASSERT_GE(result, 0);
    ASSERT_LT(result, 100) << "the child ended by signal " << result - 100
                           << (result - 100 == SIGALRM ? " (it hung)" : "");
    ASSERT_NE(result, 8) << "an error other than a registry error (out of memory?)";
    EXPECT_EQ((result & 1) != 0, c.loads);
    EXPECT_EQ((result & 2) != 0, c.stores);
    EXPECT_EQ(Snapshot(kept), before);
  }
}

}  // namespace
}  // namespace zelora::testing
