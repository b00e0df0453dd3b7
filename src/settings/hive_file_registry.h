// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

#include "hive_text.h"
#include "registry_backend.h"
#include "registry_error.h"

namespace zelora {

// The hive file cannot be used: it does not parse, is too large or cannot be
// read. Its text names the file (and the line, for a parse error).
class HiveFileError : public RegistryError {
 public:
  using RegistryError::RegistryError;
};

// HKEY_LOCAL_MACHINE kept in one text file, <directory>/HKEY_LOCAL_MACHINE.reg,
// in the registry-export format of hive_text.h. Permissions decide access:
// full access needs read permission on the file and write permission on its
// directory (a store replaces the file by a rename), read access read
// permission. In a group-writable directory the file and its lock are made
// group read-write whatever the writer's umask; the lock is never open to
// others, who could otherwise hold it and stop every store.
//
// A full-access key holds an exclusive lock (flock on a lock file next to the
// hive) from open to close, and every value write replaces the file
// atomically (and, as far as the directory can be synced, durably) before it
// returns. Creating a key waits a while for another writer's lock and then
// fails; opening a key with full access does not wait but returns null, so
// that the read open falls back to read access at once. Two full-access keys
// must not be open at once in one thread. Neither the hive nor its lock file
// may be anything but a regular file. A file that does not parse is neither
// overwritten nor deleted; opening it throws HiveFileError.
class HiveFileRegistry : public RegistryBackend {
 public:
  static constexpr std::size_t kMaxFileSize = hive_text::kMaxTextSize;
  static constexpr std::size_t kMaxValueSize = hive_text::kMaxValueSize;

  // The directory set at build time (ZELORA_HIVE_DIR).
  static std::filesystem::path DefaultDirectory();

  explicit HiveFileRegistry(std::filesystem::path directory = DefaultDirectory());
  ~HiveFileRegistry() override;

  const std::filesystem::path& file() const { return file_; }

  std::unique_ptr<RegistryKey> OpenKey(std::string_view path, KeyAccess access) override;
  std::unique_ptr<RegistryKey> CreateKey(std::string_view path) override;
  // The file, when it is there and this user may not read it.
  std::string ReadRefusal(std::string_view path) override;
  // The file, and the group (or the user) the folder lets store.
  std::string WriteRefusal(std::string_view path) override;

 private:
  std::filesystem::path directory_;
  std::filesystem::path file_;
};

}  // namespace zelora
