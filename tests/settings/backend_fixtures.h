// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "memory_registry.h"
#include "registry_backend.h"

#ifndef _WIN32
#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "hive_file_registry.h"
#include "support/test_files.h"
#include "support/unprivileged.h"
#else
#include <windows.h>

#include <array>
#include <atomic>
#include <stdexcept>

#include "support/win_handles.h"
#endif

namespace zelora::testing {

enum class UserAccess { kReadOnly, kNone };

// Puts a raw value into a key, creating the key.
inline void PutRaw(RegistryBackend& backend, std::string_view path, std::string_view name,
                   std::uint32_t type, std::vector<std::uint8_t> data) {
  auto key = backend.CreateKey(path);
  ASSERT_NE(key, nullptr);
  // The registry takes a string whose last byte is not zero as missing its
  // terminator when the byte after the data is zero, and stores one more byte.
  // A non-zero guard byte keeps it from reading past the data, so exactly
  // these bytes are stored.
  const std::size_t size = data.size();
  data.push_back(0xff);
  ASSERT_TRUE(key->SetValue(name, type, std::span<const std::uint8_t>(data.data(), size)));
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
  HiveFixture() : root_("zelora-hive-") {
    // Reachable for the unprivileged user of RunAs.
    std::filesystem::permissions(root_.path(), static_cast<std::filesystem::perms>(0755));
    // The hive directory does not exist yet: the first create makes it.
    registry_ = std::make_unique<HiveFileRegistry>(dir());
  }
  ~HiveFixture() {
    std::error_code ignored;
    std::filesystem::permissions(dir(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }

  RegistryBackend& backend() { return *registry_; }
  RegistryBackend& Reopened() {
    reopened_ = std::make_unique<HiveFileRegistry>(dir());
    return *reopened_;
  }
  HiveFileRegistry& hive() { return *registry_; }
  std::filesystem::path dir() const { return root_ / "var" / "zelora"; }
  const std::filesystem::path& file() const { return registry_->file(); }

  // Takes the permissions away as an administrator would: the hive stays
  // readable (or not) but not writable. Root ignores permissions, so as root
  // the body runs in a child process under an unprivileged user id.
  void RunAs(UserAccess access, const std::function<void()>& body) {
    ::chmod(dir().c_str(), 0555);
    ::chmod(file().c_str(), access == UserAccess::kReadOnly ? 0444 : 0000);
    RunUnprivileged(body);
    ::chmod(dir().c_str(), 0755);
    ::chmod(file().c_str(), 0644);
  }

  static void RunUnprivileged(const std::function<void()>& body) { testing::RunUnprivileged(body); }

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
  TempDir root_;
  std::unique_ptr<HiveFileRegistry> registry_;
  std::unique_ptr<HiveFileRegistry> reopened_;
};
#endif

#ifdef _WIN32
// The registry of this machine (under Wine, of its throw-away prefix). Each
// fixture works below a key of its own, "Software\ZeloraTests\<process>-<n>"
// under HKEY_LOCAL_MACHINE, that stands in for HKEY_LOCAL_MACHINE: the backend
// gets every path with that key in front, so the program's paths stay as they
// are. The key and everything below it is deleted at the end. Creating it
// needs administrator rights on Windows; Wine grants them.
class WinRegistryFixture {
 public:
  WinRegistryFixture() : root_(NewRootPath()) {
    // A run that crashed may have left the key behind.
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, root_.c_str());
    HKEY root = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, root_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ, nullptr, &root, nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot create HKEY_LOCAL_MACHINE\\" + root_);
    }
    key_type_ = HandleType(root);
    RegCloseKey(root);
    backend_ = std::make_unique<Backend>(root_, shared_);
    key_handles_ = OpenHandleCount(key_type_);
  }
  ~WinRegistryFixture() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, root_.c_str());
    // Only when no other test process still works below it.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestsPath);
  }
  WinRegistryFixture(const WinRegistryFixture&) = delete;
  WinRegistryFixture& operator=(const WinRegistryFixture&) = delete;

  RegistryBackend& backend() { return *backend_; }
  RegistryBackend& Reopened() {
    reopened_ = std::make_unique<Backend>(root_, shared_);
    return *reopened_;
  }
  // Sets the permissions of every key of the fixture's tree, as an
  // administrator would for a user without rights: read-only keeps read
  // access, none takes every right away. They are put back afterwards.
  void RunAs(UserAccess access, const std::function<void()>& body) {
    const RestrictedTree restricted(root_, access);
    body();
  }

  // A key opened with full access still has every value write refused by the
  // registry: the write goes through a second handle to the same key that was
  // opened for reading only.
  void RefuseWrites() { shared_.refuse_writes = true; }

  // Every key handed out is destroyed and its registry handle closed.
  bool AllAccessEnded() const {
    return shared_.open_keys == 0 && OpenHandleCount(key_type_) == key_handles_;
  }

 private:
  static constexpr const char* kTestsPath = "Software\\ZeloraTests";

  struct Shared {
    bool refuse_writes = false;
    int open_keys = 0;
  };

  class Key final : public RegistryKey {
   public:
    Key(std::unique_ptr<RegistryKey> key, std::unique_ptr<RegistryKey> setter, int& open_keys)
        : key_(std::move(key)), setter_(std::move(setter)), open_keys_(open_keys) {
      ++open_keys_;
    }
    ~Key() override { --open_keys_; }
    QueryResult QueryValue(std::string_view name,
                           std::optional<std::uint32_t> buffer_size) override {
      return key_->QueryValue(name, buffer_size);
    }
    bool SetValue(std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
      return (setter_ ? *setter_ : *key_).SetValue(name, type, data);
    }
    bool DeleteValue(std::string_view name) override {
      return (setter_ ? *setter_ : *key_).DeleteValue(name);
    }

   private:
    std::unique_ptr<RegistryKey> key_;
    std::unique_ptr<RegistryKey> setter_;
    int& open_keys_;
  };

  // The program's registry backend with the fixture's key in front of every path.
  class Backend final : public RegistryBackend {
   public:
    Backend(std::string root, Shared& shared)
        : inner_(MakePlatformRegistry()), root_(std::move(root)), shared_(shared) {}
    std::unique_ptr<RegistryKey> OpenKey(std::string_view path, KeyAccess access) override {
      const std::string full = Full(path);
      return Wrap(inner_->OpenKey(full, access), full, access == KeyAccess::kAllAccess);
    }
    std::unique_ptr<RegistryKey> CreateKey(std::string_view path) override {
      const std::string full = Full(path);
      return Wrap(inner_->CreateKey(full), full, true);
    }
    std::string ReadRefusal(std::string_view path) override {
      return inner_->ReadRefusal(Full(path));
    }

   private:
    std::string Full(std::string_view path) const { return root_ + "\\" + std::string(path); }
    std::unique_ptr<RegistryKey> Wrap(std::unique_ptr<RegistryKey> key, const std::string& full,
                                      bool writable) {
      if (!key) return nullptr;
      std::unique_ptr<RegistryKey> setter;
      if (writable && shared_.refuse_writes) {
        setter = inner_->OpenKey(full, KeyAccess::kRead);
        if (!setter) return nullptr;
      }
      return std::make_unique<Key>(std::move(key), std::move(setter), shared_.open_keys);
    }

    std::unique_ptr<RegistryBackend> inner_;
    std::string root_;
    Shared& shared_;
  };

  // One key whose permissions are changed, and put back on destruction. The
  // handle, opened before the change, keeps the right to put them back.
  class RestrictedKey {
   public:
    RestrictedKey(HKEY parent, const std::string& name) {
      if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | WRITE_DAC, &handle_) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot open " + name + " to change its permissions");
      }
      DWORD size = 0;
      RegGetKeySecurity(handle_, DACL_SECURITY_INFORMATION, nullptr, &size);
      saved_.resize(size);
      if (size == 0 || RegGetKeySecurity(handle_, DACL_SECURITY_INFORMATION, saved_.data(),
                                         &size) != ERROR_SUCCESS) {
        RegCloseKey(handle_);
        throw std::runtime_error("cannot read the permissions of " + name);
      }
    }
    ~RestrictedKey() {
      if (restricted_) RegSetKeySecurity(handle_, DACL_SECURITY_INFORMATION, saved_.data());
      RegCloseKey(handle_);
    }
    RestrictedKey(const RestrictedKey&) = delete;
    RestrictedKey& operator=(const RestrictedKey&) = delete;

    HKEY handle() const { return handle_; }
    void Restrict(SECURITY_DESCRIPTOR& descriptor) {
      if (RegSetKeySecurity(handle_, DACL_SECURITY_INFORMATION, &descriptor) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot change the permissions of a key");
      }
      restricted_ = true;
    }

   private:
    HKEY handle_ = nullptr;
    std::vector<std::uint8_t> saved_;
    bool restricted_ = false;
  };

  class RestrictedTree {
   public:
    RestrictedTree(const std::string& path, UserAccess access) {
      Collect(HKEY_LOCAL_MACHINE, path);
      // Everyone may read, or an empty list: nobody may do anything. (No
      // list at all would grant everything.)
      alignas(DWORD) std::array<std::uint8_t, 256> acl_buffer{};
      auto* acl = reinterpret_cast<ACL*>(acl_buffer.data());
      alignas(DWORD) std::array<std::uint8_t, SECURITY_MAX_SID_SIZE> everyone{};
      DWORD sid_size = everyone.size();
      if (!InitializeAcl(acl, acl_buffer.size(), ACL_REVISION) ||
          !CreateWellKnownSid(WinWorldSid, nullptr, everyone.data(), &sid_size) ||
          (access == UserAccess::kReadOnly &&
           !AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone.data()))) {
        throw std::runtime_error("cannot build the access list");
      }
      SECURITY_DESCRIPTOR descriptor;
      if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
          !SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)) {
        throw std::runtime_error("cannot build the security descriptor");
      }
      for (auto& key : keys_) key->Restrict(descriptor);
    }

   private:
    void Collect(HKEY parent, const std::string& name) {
      keys_.push_back(std::make_unique<RestrictedKey>(parent, name));
      const HKEY key = keys_.back()->handle();
      for (DWORD i = 0;; ++i) {
        std::array<char, 256> child{};  // the longest key name is 255 characters
        DWORD length = child.size();
        const LONG status =
            RegEnumKeyExA(key, i, child.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) throw std::runtime_error("cannot list the subkeys of " + name);
        Collect(key, std::string(child.data(), length));
      }
    }

    std::vector<std::unique_ptr<RestrictedKey>> keys_;
  };

  static std::string NewRootPath() {
    static std::atomic<int> counter{0};
    return std::string(kTestsPath) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter);
  }

  std::string root_;
  Shared shared_;
  std::unique_ptr<Backend> backend_;
  std::unique_ptr<Backend> reopened_;
  USHORT key_type_ = 0;
  std::size_t key_handles_ = 0;
};
#endif

#ifndef _WIN32
using BackendFixtures = ::testing::Types<HiveFixture, MemoryFixture>;
#else
using BackendFixtures = ::testing::Types<WinRegistryFixture, MemoryFixture>;
#endif

// Names the instantiations "Hive" / "WinRegistry" / "Memory" in test output.
struct FixtureNames {
  template <typename T>
  static std::string GetName(int) {
#ifndef _WIN32
    if (std::is_same_v<T, HiveFixture>) return "Hive";
#else
    if (std::is_same_v<T, WinRegistryFixture>) return "WinRegistry";
#endif
    return "Memory";
  }
};

}  // namespace zelora::testing
