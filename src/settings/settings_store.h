// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

#include "setting_table.h"
#include "settings_record.h"

namespace zelora {

class RegistryBackend;
class SettingsKey;

// The settings-key value that names the printer port.
inline constexpr std::string_view kPortValue = "Port";

// The operations that move values between the settings record and the settings
// key HKEY_LOCAL_MACHINE\Software\Quorvan\Zelora. Each one
// makes its own key access and ends it before returning, also when a
// RegistryError passes through.
class SettingsStore {
 public:
  explicit SettingsStore(RegistryBackend& backend) : backend_(backend) {}
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;

  // The key held open for writing (with the hive file's lock) while it lives:
  // the stores made meanwhile go through it. A Send or Default takes it
  // before its first job, so that a pass that could not store sends nothing
  // and no other writer can come between the printer taking a value and its
  // store. Throws RegistryError, saying why and who may store, when this user
  // may not write the key. A Hold taken while another holds the key does
  // nothing: the outer one keeps it, so a caller can hold it from its load
  // to its last store.
  class [[nodiscard]] Hold {
   public:
    explicit Hold(const SettingsStore& store);
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    const SettingsStore& store_;
    std::unique_ptr<SettingsKey> key_;
  };

  // Reads the key into the record over the factory defaults and x = y = 0,
  // which missing values (or a key that does not open) keep. Throws
  // RegistryError on a value of the wrong type or size; the record keeps what
  // was read before it and the factory defaults after it. The key access has
  // ended when it returns.
  void LoadSettings(SettingsRecord& record) const;

  // After a successful port write: writes the value when it differs from the
  // record. Silently does nothing when the key cannot be opened for writing
  // (without a Hold).
  // Orientation also updates record.orientation. A value of another kind than
  // the setting's throws std::invalid_argument before anything is written.
  void StoreSetting(Setting setting, const SettingValue& value, SettingsRecord& record) const;

  // The custom size, written when it differs from the record.
  void StoreWidth(long double width, const SettingsRecord& record) const;
  void StoreHeight(long double height, const SettingsRecord& record) const;

  // Writes the eighteen settings, unconditionally, in Setting order.
  void StoreAllSettings(const SettingValues& values) const;

  // x, y := the window's left and top edges; writes R_x and R_y.
  void StoreWindowPosition(std::int32_t x, std::int32_t y, SettingsRecord& record) const;

  // The printer port chosen in the settings key (the text value kPortValue),
  // empty for the built-in one: no key, no value or an empty one. Throws
  // RegistryError for a value that cannot be read (not a text, too long) and
  // for settings this user may not read. The window never writes it.
  std::string LoadPort() const;
  // For the port tool: stores or removes the value. False when the key
  // cannot be opened for writing; throws RegistryError on a refused write.
  bool StorePort(std::string_view value) const;
  bool RemovePort() const;

 private:
  // Runs `store` on the held key, else on a key opened for it; does nothing
  // when none opens.
  template <typename Store>
  void WithWritableKey(Store&& store) const;

  RegistryBackend& backend_;
  // Set by a Hold; the store's own state, not the settings'.
  mutable SettingsKey* held_ = nullptr;
};

}  // namespace zelora
