// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "registry_backend.h"

namespace zelora {

// A registry held in memory, the tests' stand-in for the registry. Key paths
// are relative to HKEY_LOCAL_MACHINE; key and value names compare
// case-insensitively.
class MemoryRegistry : public RegistryBackend {
 public:
  // What the current user may do, as the registry's permissions would decide.
  enum class Access {
    kFull,
    kReadOnly,  // full-access opens and creating fail, read access works
    kNone,      // every open fails
  };

  struct Value {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };

  MemoryRegistry();
  ~MemoryRegistry() override;

  std::unique_ptr<RegistryKey> OpenKey(std::string_view path, KeyAccess access) override;
  std::unique_ptr<RegistryKey> CreateKey(std::string_view path) override;
  std::string ReadRefusal(std::string_view path) override;

  void SetAccess(Access access) { access_ = access; }
  // Every value write through a key fails.
  void SetRefuseWrites(bool refuse) { refuse_writes_ = refuse; }

  // Direct access, bypassing the access rules. PutValue creates the key.
  void AddKey(std::string_view path);
  bool KeyExists(std::string_view path) const;
  void PutValue(std::string_view path, std::string_view name, std::uint32_t type,
                std::span<const std::uint8_t> data);
  void PutDword(std::string_view path, std::string_view name, std::int32_t value);
  void PutDouble(std::string_view path, std::string_view name, double value);
  std::optional<Value> GetValue(std::string_view path, std::string_view name) const;
  // nullopt unless the value is a 4-byte REG_DWORD / an 8-byte REG_BINARY.
  std::optional<std::int32_t> GetDword(std::string_view path, std::string_view name) const;
  std::optional<double> GetDouble(std::string_view path, std::string_view name) const;
  // Names of the key's values in the order they were first created.
  std::vector<std::string> ValueNames(std::string_view path) const;

  // Names of the values written through keys, in order (a log for tests).
  const std::vector<std::string>& WriteLog() const { return write_log_; }
  void ClearWriteLog() { write_log_.clear(); }
  // Keys currently open; 0 when every access has ended.
  int OpenKeyCount() const { return open_keys_; }

 private:
  struct Key;
  class Handle;

  Key* FindKey(std::string_view path) const;
  Key& EnsureKey(std::string_view path);

  std::vector<std::unique_ptr<Key>> keys_;
  Access access_ = Access::kFull;
  bool refuse_writes_ = false;
  std::vector<std::string> write_log_;
  int open_keys_ = 0;
};

}  // namespace zelora
