#pragma once

// The registry backends the typed tests run against. Each fixture owns one
// backend and knows how to take access away from the test's user and how to
// make value writes fail, the way that backend's store would.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/memory_registry.h"
#include "settings/registry_backend.h"

#ifndef _WIN32
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "settings/hive_file_registry.h"
#endif

namespace zelora::testing {

enum class UserAccess { kReadOnly, kNone };

// Puts a raw value into a key, creating the key.
inline void PutRaw(RegistryBackend& backend, std::string_view path, std::string_view name,
                   std::uint32_t type, std::vector<std::uint8_t> data) {
  auto key = backend.CreateKey(path);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->SetValue(name, type, data));
}

inline std::vector<std::uint8_t> Bytes(std::string_view text, bool terminated) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  if (terminated) bytes.push_back(0);
  return bytes;
}

class MemoryFixture {
 public:
  RegistryBackend& backend() { return registry_; }
  // The same store as a later run of the program sees it.
  RegistryBackend& Reopened() { return registry_; }
  MemoryRegistry& registry() { return registry_; }

  void RunAs(UserAccess access, const std::function<void()>& body) {
    registry_.SetAccess(access == UserAccess::kReadOnly ? MemoryRegistry::Access::kReadOnly
                                                        : MemoryRegistry::Access::kNone);
    body();
    registry_.SetAccess(MemoryRegistry::Access::kFull);
  }
  void RefuseWrites() { registry_.SetRefuseWrites(true); }
  bool AllAccessEnded() const { return registry_.OpenKeyCount() == 0; }

 private:
  MemoryRegistry registry_;
};

#ifndef _WIN32
class HiveFixture {
 public:
  HiveFixture() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zelora-hive-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    // Reachable for the unprivileged user of RunAs.
    std::filesystem::permissions(root_, static_cast<std::filesystem::perms>(0755));
    // The hive directory does not exist yet: the first create makes it.
    registry_ = std::make_unique<HiveFileRegistry>(root_ / "var" / "zelora");
  }
  ~HiveFixture() {
    std::error_code ignored;
    std::filesystem::permissions(dir(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
  }

  RegistryBackend& backend() { return *registry_; }
  RegistryBackend& Reopened() {
    reopened_ = std::make_unique<HiveFileRegistry>(dir());
    return *reopened_;
  }
  HiveFileRegistry& hive() { return *registry_; }
  const std::filesystem::path& dir() const { return registry_->directory(); }
  const std::filesystem::path& file() const { return registry_->file(); }

  // Takes the permissions away as an administrator would: the hive stays
  // readable (or not) but not writable. Root ignores permissions, so as root
  // the body runs in a child process under an unprivileged user id.
  void RunAs(UserAccess access, const std::function<void()>& body) {
    ::chmod(dir().c_str(), 0555);
    ::chmod(file().c_str(), access == UserAccess::kReadOnly ? 0444 : 0000);
    if (::geteuid() != 0) {
      body();
    } else {
      RunUnprivileged(body);
    }
    ::chmod(dir().c_str(), 0755);
    ::chmod(file().c_str(), 0644);
  }
  // A directory where the temporary file goes: no replacement can be made.
  void RefuseWrites() {
    std::filesystem::path temp = file();
    temp += ".tmp";
    std::filesystem::create_directories(temp);
  }
  // Nobody holds the writer lock any more.
  bool AllAccessEnded() const {
    std::filesystem::path lock = file();
    lock += ".lock";
    const int fd = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return true;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
  }

 private:
  static void RunUnprivileged(const std::function<void()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      constexpr uid_t kNobody = 65534;
      bool ok = ::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                ::setresuid(kNobody, kNobody, kNobody) == 0;
      if (ok) {
        try {
          body();
        } catch (const std::exception& e) {
          ADD_FAILURE() << "exception: " << e.what();
        }
      }
      std::fflush(nullptr);
      ::_exit(ok && !::testing::Test::HasFailure() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the unprivileged part failed (see its output above)";
  }

  std::filesystem::path root_;
  std::unique_ptr<HiveFileRegistry> registry_;
  std::unique_ptr<HiveFileRegistry> reopened_;
};
#endif

#ifndef _WIN32
using BackendFixtures = ::testing::Types<HiveFixture, MemoryFixture>;
#else
using BackendFixtures = ::testing::Types<MemoryFixture>;
#endif

// Names the instantiations "HiveFixture" / "MemoryFixture" in test output.
struct FixtureNames {
  template <typename T>
  static std::string GetName(int) {
#ifndef _WIN32
    if (std::is_same_v<T, HiveFixture>) return "Hive";
#endif
    return "Memory";
  }
};

}  // namespace zelora::testing
