// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The hive file under writers that die at any instant, and under a reader and
// several writers at once: the file always parses, and every value is one
// that some writer stored completely.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "hive_file_registry.h"
#include "hive_text.h"
#include "settings_key.h"
#include "support/test_files.h"

namespace zelora::testing {
namespace {

// The settings' value names, written one after another in one key access as a
// Send pass does.
const std::vector<std::string> kNames = {
    "R_baudrate",  "R_timeout", "R_powersave", "R_autocont", "R_jamrecover",  "R_robust",
    "R_papersize", "R_source",  "R_lpi",       "R_copies",   "R_orientation", "R_papertype",
    "R_typeface",  "R_symbol",  "R_pitch",     "R_point",    "R_density",     "R_economode"};

// Integers and floats alternate, so that both stored types are checked.
void WriteGeneration(SettingsKey& key, int generation) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (i % 2 == 0) {
      key.WriteInteger(kNames[i], generation);
    } else {
      key.WriteFloat(kNames[i], generation + 0.25L);
    }
  }
}

// The generation a value holds, -1 when it is missing or not of its type.
int StoredGeneration(const SettingsKey& key, std::size_t i) {
  if (!key.ValueExists(kNames[i])) return -1;
  if (i % 2 == 0) return key.ReadInteger(kNames[i]);
  return static_cast<int>(key.ReadFloat(kNames[i]) - 0.25L);
}

// A writer's own counter. (Appended rather than concatenated: GCC 12 warns
// wrongly about "literal" + std::string at -O2.)
std::string CounterName(int writer) { return std::string("W").append(std::to_string(writer)); }

// Runs `body` in a child process, which ends with _exit(0), or 1 on an exception.
template <typename F>
pid_t Spawn(F body) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    try {
      body();
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  return pid;
}

class HiveFileCrashTest : public ::testing::Test {
 protected:
  HiveFileCrashTest() : registry_(dir_.path()) {}
  // In memory where there is a tmpfs: a kill is about the process, not the
  // disk, and a few hundred passes of synced writes would take minutes.
  TempDir dir_{std::filesystem::is_directory("/dev/shm") ? "/dev/shm/zelora-crash-"
                                                         : "zelora-crash-"};
  HiveFileRegistry registry_;
};

// A writer storing all eighteen settings is killed at a few hundred random
// instants. After each kill the file parses, loads, and holds for every value
// what it held before or what the writer was storing; the next writer is not
// kept out by the killed one's lock or temporary file.
TEST_F(HiveFileCrashTest, WriterKilledAtAnyInstantLeavesOldOrNewValues) {
  constexpr int kKills = 300;
  {
    auto key = SettingsKey::OpenForWriting(registry_);
    ASSERT_TRUE(key.has_value());
    WriteGeneration(*key, 0);
  }
  const auto write_generation = [&](int generation) {
    HiveFileRegistry own(dir_.path());
    auto key = SettingsKey::OpenForWriting(own);
    if (!key) ::_exit(2);
    WriteGeneration(*key, generation);
  };

  // How long one whole pass takes here (the fastest of a few, from the fork
  // on), so that the kills spread over it. The fastest, not the median: a
  // pass measured while the machine was busy would put most kills after the
  // writer had finished.
  std::vector<std::chrono::microseconds> passes;
  int status = 0;
  pid_t pid = 0;
  for (int i = 0; i < 5; ++i) {
    const auto start = std::chrono::steady_clock::now();
    pid = Spawn([&] { write_generation(1); });
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    passes.push_back(std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start));
  }
  const auto pass = *std::min_element(passes.begin(), passes.end());

  std::vector<int> old(kNames.size(), 1);
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::int64_t> delay(0, pass.count());
  int killed_midway = 0;
  for (int round = 0; round < kKills; ++round) {
    const int generation = round + 2;
    pid = Spawn([&] { write_generation(generation); });
    ASSERT_GT(pid, 0);
    ::usleep(static_cast<useconds_t>(delay(random)));
    ::kill(pid, SIGKILL);
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    if (WIFSIGNALED(status)) {
      ++killed_midway;
    } else {
      ASSERT_EQ(WEXITSTATUS(status), 0) << "round " << round;
    }

    SCOPED_TRACE("round " + std::to_string(round));
    ASSERT_NO_THROW(ParseHiveText(ReadFile(registry_.file())));
    auto key = SettingsKey::OpenForReading(registry_);
    ASSERT_TRUE(key.has_value());
    for (std::size_t i = 0; i < kNames.size(); ++i) {
      const int now = StoredGeneration(*key, i);
      ASSERT_TRUE(now == old[i] || now == generation)
          << kNames[i] << " holds " << now << ", not " << old[i] << " or " << generation;
      old[i] = now;
    }
  }
  std::printf("%d writers killed, %d of them before they finished (a pass takes %lld us)\n", kKills,
              killed_midway, static_cast<long long>(pass.count()));
  // Many kills must land inside the pass, or the test proves little.
  EXPECT_GT(killed_midway, kKills / 3);

  auto key = SettingsKey::OpenForWriting(registry_);
  ASSERT_TRUE(key.has_value());
  WriteGeneration(*key, 999);
}

// One reader and several writers at once. Each writer stores its own counter
// and a value all of them share; the reader never meets a damaged file, never
// sees a counter go back, and sees only shared values some writer stored.
TEST_F(HiveFileCrashTest, ReaderAndWritersAtOnce) {
  constexpr int kWriters = 4;
  constexpr int kStores = 100;
  ASSERT_TRUE(SettingsKey::OpenForWriting(registry_).has_value());

  std::vector<pid_t> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.push_back(Spawn([&, w] {
      HiveFileRegistry own(dir_.path());
      for (int i = 1; i <= kStores; ++i) {
        auto key = SettingsKey::OpenForWriting(own);
        if (!key) ::_exit(2);
        key->WriteInteger(CounterName(w), i);
        key->WriteInteger("R_shared", w * 1000 + i);
      }
    }));
    ASSERT_GT(writers.back(), 0);
  }
  int pipe_ends[2];
  ASSERT_EQ(::pipe(pipe_ends), 0);
  const pid_t reader = Spawn([&] {
    ::close(pipe_ends[0]);
    HiveFileRegistry own(dir_.path());
    std::vector<int> last(kWriters, 0);
    std::uint32_t reads = 0;
    for (;;) {
      auto key = SettingsKey::OpenForReading(own);
      if (!key) ::_exit(3);
      for (int w = 0; w < kWriters; ++w) {
        const std::string name = CounterName(w);
        const int now = key->ValueExists(name) ? key->ReadInteger(name) : 0;
        if (now < last[w] || now > kStores) ::_exit(4);
        last[w] = now;
      }
      if (key->ValueExists("R_shared")) {
        const int shared = key->ReadInteger("R_shared");
        if (shared / 1000 >= kWriters || shared % 1000 < 1 || shared % 1000 > kStores) ::_exit(5);
      }
      ++reads;
      bool all_done = true;
      for (int w = 0; w < kWriters; ++w) all_done = all_done && last[w] == kStores;
      if (all_done) break;
    }
    (void)!::write(pipe_ends[1], &reads, sizeof reads);
  });
  ASSERT_GT(reader, 0);
  ::close(pipe_ends[1]);

  for (pid_t pid : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer status " << status;
  }
  int status = 0;
  ASSERT_EQ(::waitpid(reader, &status, 0), reader);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "reader exit " << (WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  std::uint32_t reads = 0;
  EXPECT_EQ(::read(pipe_ends[0], &reads, sizeof reads), static_cast<ssize_t>(sizeof reads));
  ::close(pipe_ends[0]);
  std::printf("%d writers stored %d times each while the reader read %u times\n", kWriters, kStores,
              reads);
  EXPECT_GT(reads, 1u);

  auto key = SettingsKey::OpenForReading(registry_);
  ASSERT_TRUE(key.has_value());
  const int shared = key->ReadInteger("R_shared");
  EXPECT_EQ(shared % 1000, kStores);  // the last store of whichever writer ended last
}

}  // namespace
}  // namespace zelora::testing
