// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The settings key in the Windows registry, under HKEY_LOCAL_MACHINE.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#include <vector>

#include "registry_backend.h"

namespace zelora {
namespace {

static_assert(static_cast<DWORD>(KeyAccess::kAllAccess) == KEY_ALL_ACCESS);
static_assert(static_cast<DWORD>(KeyAccess::kRead) == KEY_READ);
static_assert(reg_type::kSz == REG_SZ && reg_type::kBinary == REG_BINARY &&
              reg_type::kDword == REG_DWORD && reg_type::kDwordBigEndian == REG_DWORD_BIG_ENDIAN);

class WinRegistryKey : public RegistryKey {
 public:
  explicit WinRegistryKey(HKEY key) : key_(key) {}
  ~WinRegistryKey() override { RegCloseKey(key_); }

  QueryResult QueryValue(std::string_view name, std::optional<std::uint32_t> buffer_size) override {
    const std::string value_name(name);
    QueryResult result;
    DWORD type = REG_NONE;
    DWORD size = buffer_size.value_or(0);
    // Never a null data pointer when a buffer is asked for, even of size 0.
    std::vector<BYTE> buffer(buffer_size ? *buffer_size + 1 : 0);
    const LONG status = RegQueryValueExA(key_, value_name.c_str(), nullptr, &type,
                                         buffer_size ? buffer.data() : nullptr, &size);
    result.type = type;
    result.size = size;
    switch (status) {
      case ERROR_SUCCESS:
        result.status = QueryStatus::kSuccess;
        if (buffer_size) result.data.assign(buffer.begin(), buffer.begin() + size);
        break;
      case ERROR_FILE_NOT_FOUND:
        result.status = QueryStatus::kNotFound;
        break;
      case ERROR_MORE_DATA:
        result.status = QueryStatus::kMoreData;
        break;
      default:
        result.status = QueryStatus::kError;
        break;
    }
    return result;
  }

  bool SetValue(std::string_view name, std::uint32_t type,
                std::span<const std::uint8_t> data) override {
    const std::string value_name(name);
    return RegSetValueExA(key_, value_name.c_str(), 0, type, data.data(),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
  }

  bool DeleteValue(std::string_view name) override {
    const std::string value_name(name);
    const LSTATUS status = RegDeleteValueA(key_, value_name.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }

 private:
  HKEY key_;
};

class WinRegistry : public RegistryBackend {
 public:
  std::unique_ptr<RegistryKey> OpenKey(std::string_view path, KeyAccess access) override {
    const std::string key_path(path);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, static_cast<REGSAM>(access), &key) !=
        ERROR_SUCCESS) {
      return nullptr;
    }
    return std::make_unique<WinRegistryKey>(key);
  }

  std::unique_ptr<RegistryKey> CreateKey(std::string_view path) override {
    const std::string key_path(path);
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, &disposition) != ERROR_SUCCESS) {
      return nullptr;
    }
    return std::make_unique<WinRegistryKey>(key);
  }

  std::string ReadRefusal(std::string_view path) override {
    const std::string key_path(path);
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, KEY_READ, &key);
    if (status == ERROR_SUCCESS) RegCloseKey(key);
    if (status != ERROR_ACCESS_DENIED) return {};
    return "This user may not read the settings under HKEY_LOCAL_MACHINE\\" + key_path;
  }
};

}  // namespace

std::unique_ptr<RegistryBackend> MakePlatformRegistry() { return std::make_unique<WinRegistry>(); }

}  // namespace zelora
