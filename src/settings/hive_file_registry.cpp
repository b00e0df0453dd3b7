// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "hive_file_registry.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "hive_text.h"
#include "posix_file.h"

namespace zelora {
namespace {

constexpr auto kLockWait = std::chrono::seconds(5);

// ---------------------------------------------------------------------------
// Files

std::string ErrnoText(int error) { return std::generic_category().message(error); }

bool MayAccess(const std::filesystem::path& path, int mode) {
  return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

// Like mkdir -p, but never world-writable whatever the umask.
bool MakeDirectories(const std::filesystem::path& dir) {
  std::filesystem::path partial;
  for (const auto& part : dir) {
    partial /= part;
    if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

struct HiveText {
  enum class Status { kRead, kMissing, kDenied } status = Status::kMissing;
  std::string text;
  mode_t mode = 0;
};

// Reads the whole hive file, at most kMaxFileSize bytes.
HiveText ReadHiveFile(const std::filesystem::path& file) {
  HiveText result;
  // O_NONBLOCK: a FIFO put in its place must not hang the program; it is
  // rejected below as not a regular file.
  posix::UniqueFd fd = posix::Open(file, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (!fd) {
    if (errno == ENOENT) return result;
    if (errno == EACCES || errno == EPERM) {
      result.status = HiveText::Status::kDenied;
      return result;
    }
    throw HiveFileError("Cannot read settings file '" + file.string() + "': " + ErrnoText(errno));
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    throw HiveFileError("Settings file '" + file.string() + "' is not a regular file");
  }
  const std::string too_large =
      "Settings file '" + file.string() + "' is larger than 1 MiB and is not read";
  if (static_cast<std::uintmax_t>(st.st_size) > HiveFileRegistry::kMaxFileSize) {
    throw HiveFileError(too_large);
  }
  result.mode = st.st_mode;
  // Read in pieces to the end, or until one byte more than allowed shows a
  // file that grew after the fstat. Room is made for what the file holds:
  // room for the largest allowed file would put a mebibyte of zeroes into
  // memory at every start.
  result.text.reserve(static_cast<std::size_t>(st.st_size) + 1);
  char piece[16384];
  while (result.text.size() <= HiveFileRegistry::kMaxFileSize) {
    const ssize_t n = ::read(fd.get(), piece, sizeof piece);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      throw HiveFileError("Cannot read settings file '" + file.string() + "': " + ErrnoText(errno));
    }
    if (n == 0) break;
    result.text.append(piece, static_cast<std::size_t>(n));
  }
  if (result.text.size() > HiveFileRegistry::kMaxFileSize) throw HiveFileError(too_large);
  result.status = HiveText::Status::kRead;
  return result;
}

Hive ParseHive(const HiveText& text, const std::filesystem::path& file) {
  if (text.status != HiveText::Status::kRead) return Hive{};
  try {
    return ParseHiveText(text.text);
  } catch (const HiveTextError& e) {
    throw HiveFileError("Settings file '" + file.string() + "' is " + e.what());
  }
}

// The mode of the hive file and its lock, set explicitly so that no writer's
// umask decides it: what the file had (never world-writable; owner
// read-write), else readable by all; in a folder its group may write (the
// package's folder for group lp), group read-write as well, so that every
// member of the group can read what another stored and store after her.
mode_t HiveMode(const std::filesystem::path& file, std::optional<mode_t> old_mode) {
  mode_t mode = old_mode ? ((*old_mode & 0664) | 0600) : 0644;
  struct stat folder {};
  if (::stat(file.parent_path().c_str(), &folder) == 0 && (folder.st_mode & S_IWGRP) != 0) {
    mode |= 0660;
  }
  return mode;
}

// The lock's mode: open to exactly those the folder lets store (its group,
// for the package's folder), for whoever can open the lock can hold it and
// so stop every store.
mode_t LockMode(const std::filesystem::path& file) {
  mode_t mode = 0600;
  struct stat folder {};
  if (::stat(file.parent_path().c_str(), &folder) == 0) {
    if ((folder.st_mode & S_IWGRP) != 0) mode |= 0060;
    if ((folder.st_mode & S_IWOTH) != 0) mode |= 0006;
  }
  return mode;
}

// Replaces the hive file (posix::ReplaceFile) with the mode above.
bool ReplaceHive(const std::filesystem::path& file, std::string_view text,
                 std::optional<mode_t> old_mode) {
  return posix::ReplaceFile(file, text, HiveMode(file, old_mode));
}

// Exclusive lock on <hive>.lock, held while the object lives.
class WriterLock {
 public:
  // How long a store waits for another writer.
  enum class Wait { kNo, kAWhile };

  // nullopt when another writer holds the lock and `wait` is kNo. A lock
  // file that cannot be opened, or something that is not a regular file at
  // the lock path (a FIFO, a link, a folder), makes a store (kAWhile) fail
  // with HiveFileError; a read open (kNo) only needs no lock, so it just goes
  // without.
  static std::optional<WriterLock> Acquire(const std::filesystem::path& file, Wait wait) {
    std::filesystem::path lock_path = file;
    lock_path += ".lock";
    const auto not_regular = [&]() -> std::optional<WriterLock> {
      if (wait == Wait::kNo) return std::nullopt;
      throw HiveFileError("Settings lock file '" + lock_path.string() + "' is not a regular file");
    };
    // O_NONBLOCK: a FIFO put in its place must not hang the program.
    posix::UniqueFd fd = posix::Open(
        lock_path, O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
    if (!fd && (errno == ELOOP || errno == EISDIR)) return not_regular();
    // A store comes here only for a user the folder lets store: a lock she
    // cannot open (another's, of a mode that shuts her out) must be named,
    // not taken for a refusal to store.
    if (!fd && wait == Wait::kAWhile) {
      throw HiveFileError("Cannot open settings lock file '" + lock_path.string() +
                          "': " + ErrnoText(errno));
    }
    if (!fd) return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return not_regular();
    // Every user who may store must be able to open the lock after this one.
    const mode_t mode = LockMode(file);
    if (st.st_uid == ::geteuid() && (st.st_mode & 07777) != mode) ::fchmod(fd.get(), mode);
    // Wait a while for another writer, but never hang the caller for good on
    // a copy of the program that stopped while holding the lock.
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) return std::nullopt;
      if (errno == EWOULDBLOCK && wait == Wait::kNo) return std::nullopt;
      if (std::chrono::steady_clock::now() >= deadline) {
        throw HiveFileError("Settings file '" + file.string() + "' is locked by another program");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WriterLock(std::move(fd));
  }

 private:
  explicit WriterLock(posix::UniqueFd fd) : fd_(std::move(fd)) {}
  posix::UniqueFd fd_;  // closing it releases the lock
};

// ---------------------------------------------------------------------------
// Keys

class HiveFileKey : public RegistryKey {
 public:
  // Read access: a snapshot of the file.
  HiveFileKey(Hive hive, std::string path) : hive_(std::move(hive)), path_(std::move(path)) {}
  // Full access: the file is re-read under the lock, so the snapshot is the
  // file as it stays until this key closes.
  HiveFileKey(Hive hive, std::string path, WriterLock lock, std::filesystem::path file,
              std::optional<mode_t> mode)
      : hive_(std::move(hive)),
        path_(std::move(path)),
        lock_(std::move(lock)),
        file_(std::move(file)),
        mode_(mode) {}

  QueryResult QueryValue(std::string_view name, std::optional<std::uint32_t> buffer_size) override {
    QueryResult result;
    const HiveValue* value = Key().Find(name);
    if (value == nullptr) {
      result.status = QueryStatus::kNotFound;
      return result;
    }
    result.type = value->type;
    result.size = static_cast<std::uint32_t>(value->data.size());
    if (buffer_size && value->data.size() > *buffer_size) {
      result.status = QueryStatus::kMoreData;
      return result;
    }
    if (buffer_size) result.data = value->data;
    result.status = QueryStatus::kSuccess;
    return result;
  }

  bool SetValue(std::string_view name, std::uint32_t type,
                std::span<const std::uint8_t> data) override {
    if (!lock_ || !ValidHiveValueName(name) || data.size() > HiveFileRegistry::kMaxValueSize) {
      return false;
    }
    Hive changed = hive_;
    HiveKey& key = *changed.Find(path_);
    HiveValue value{std::string(name), type, {data.begin(), data.end()}};
    if (HiveValue* old = key.Find(name)) {
      value.name = old->name;  // the first spelling of a name stays
      *old = std::move(value);
    } else {
      key.values.push_back(std::move(value));
    }
    return Replace(std::move(changed));
  }

  bool DeleteValue(std::string_view name) override {
    if (!lock_) return false;
    if (Key().Find(name) == nullptr) return true;
    Hive changed = hive_;
    std::erase_if(changed.Find(path_)->values,
                  [&](const HiveValue& value) { return SameRegistryName(value.name, name); });
    return Replace(std::move(changed));
  }

 private:
  HiveKey& Key() { return *hive_.Find(path_); }

  // Writes the changed hive over the file; the snapshot follows only once it
  // is there.
  bool Replace(Hive changed) {
    const std::optional<std::string> text = WriteHiveText(changed);
    if (!text) return false;
    if (!ReplaceHive(file_, *text, mode_)) return false;
    hive_ = std::move(changed);
    return true;
  }

  Hive hive_;
  std::string path_;
  std::optional<WriterLock> lock_;
  std::filesystem::path file_;
  std::optional<mode_t> mode_;
};

}  // namespace

std::filesystem::path HiveFileRegistry::DefaultDirectory() { return ZELORA_HIVE_DIR; }

HiveFileRegistry::HiveFileRegistry(std::filesystem::path directory)
    : directory_(std::move(directory)), file_(directory_ / "HKEY_LOCAL_MACHINE.reg") {}

HiveFileRegistry::~HiveFileRegistry() = default;

std::unique_ptr<RegistryKey> HiveFileRegistry::OpenKey(std::string_view path, KeyAccess access) {
  if (!ValidHiveKeyPath(path)) return nullptr;
  if (access == KeyAccess::kRead) {
    const HiveText text = ReadHiveFile(file_);
    Hive hive = ParseHive(text, file_);
    if (hive.Find(path) == nullptr) return nullptr;
    return std::make_unique<HiveFileKey>(std::move(hive), std::string(path));
  }
  // Storing writes a new file and renames it over the old one, so the folder
  // decides whether this user may store, not the file.
  if (!MayAccess(directory_, W_OK | X_OK) || !MayAccess(file_, R_OK)) return nullptr;
  // Full access is only asked for to read the settings (the read open tries
  // it first), so a writer at work is no reason to wait: without the lock
  // the caller falls back to read access, which is consistent without it
  // because every write replaces the file by a rename.
  std::optional<WriterLock> lock = WriterLock::Acquire(file_, WriterLock::Wait::kNo);
  if (!lock) return nullptr;
  const HiveText text = ReadHiveFile(file_);
  Hive hive = ParseHive(text, file_);
  if (hive.Find(path) == nullptr) return nullptr;
  return std::make_unique<HiveFileKey>(std::move(hive), std::string(path), std::move(*lock), file_,
                                       text.mode);
}

std::unique_ptr<RegistryKey> HiveFileRegistry::CreateKey(std::string_view path) {
  if (!ValidHiveKeyPath(path)) return nullptr;
  if (!MakeDirectories(directory_) || !MayAccess(directory_, W_OK | X_OK)) return nullptr;
  std::optional<WriterLock> lock = WriterLock::Acquire(file_, WriterLock::Wait::kAWhile);
  if (!lock) return nullptr;
  const HiveText text = ReadHiveFile(file_);
  // A file this user cannot read cannot be rewritten without losing values.
  if (text.status == HiveText::Status::kDenied) return nullptr;
  Hive hive = ParseHive(text, file_);
  std::optional<mode_t> mode;
  if (text.status == HiveText::Status::kRead) mode = text.mode;
  if (hive.Ensure(path) || text.status == HiveText::Status::kMissing) {
    const std::optional<std::string> new_text = WriteHiveText(hive);
    if (!new_text) {
      throw HiveFileError("Settings file '" + file_.string() + "' cannot grow beyond 1 MiB");
    }
    if (!ReplaceHive(file_, *new_text, mode)) return nullptr;
  }
  return std::make_unique<HiveFileKey>(std::move(hive), std::string(path), std::move(*lock), file_,
                                       mode);
}

std::string HiveFileRegistry::ReadRefusal(std::string_view) {
  const posix::UniqueFd fd = posix::Open(file_, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd || (errno != EACCES && errno != EPERM)) return {};
  return "Cannot read settings file '" + file_.string() + "': " + ErrnoText(errno);
}

std::string HiveFileRegistry::WriteRefusal(std::string_view path) {
  // A file that cannot be read cannot be rewritten without losing values.
  if (std::string unreadable = ReadRefusal(path); !unreadable.empty()) return unreadable;
  std::string text = "This user may not store settings in '" + file_.string() + "'";
  // Storing replaces the file, so the folder's permissions say who may.
  struct stat folder {};
  if (::stat(directory_.c_str(), &folder) != 0) return text;
  if ((folder.st_mode & S_IWGRP) != 0) {
    if (const group* owners = ::getgrgid(folder.st_gid)) {
      return text + "; members of group '" + owners->gr_name + "' may";
    }
  } else if (const passwd* owner = ::getpwuid(folder.st_uid)) {
    return text + "; only user '" + owner->pw_name + "' may";
  }
  return text;
}

std::unique_ptr<RegistryBackend> MakePlatformRegistry() {
  return std::make_unique<HiveFileRegistry>();
}

}  // namespace zelora
