#pragma once

#include <functional>

#include "settings/control_values.h"
#include "settings/settings_record.h"

namespace zelora {

class RegistryBackend;

// The operations that move values between the settings record, the controls
// and the settings key HKEY_LOCAL_MACHINE\Software\Quorvan\Zelora. Each one
// makes its own key access and ends it before returning, also when a
// RegistryError passes through.
class SettingsStore {
 public:
  explicit SettingsStore(RegistryBackend& backend) : backend_(backend) {}

  // Pushes a record into the controls (the control transfer).
  using PushFn = std::function<void(const SettingsRecord&, ControlValues&)>;

  // Reads the key into the record (load defaults for missing values, factory
  // defaults and x = y = 0 when the key does not open), then pushes and, unless
  // record.reload is set, moves the window. Throws RegistryError on a value of
  // the wrong type or size; the record keeps what was read before it.
  void LoadSettings(SettingsRecord& record, ControlValues& controls, const PushFn& push) const;

  // After a successful port write: writes the control's current value when it
  // differs from the record. Silently does nothing when the key cannot be
  // opened for writing. Orientation also updates record.orientation.
  void StoreSetting(Setting setting, const ControlValues& controls, SettingsRecord& record) const;

  void StoreWidth(const ControlValues& controls, const SettingsRecord& record) const;
  void StoreHeight(const ControlValues& controls, const SettingsRecord& record) const;

  // Writes the eighteen settings from the controls, unconditionally.
  void StoreAllSettings(const ControlValues& controls) const;

  // x, y := the window's left and top edges; writes R_x and R_y.
  void StoreWindowPosition(const ControlValues& controls, SettingsRecord& record) const;

 private:
  RegistryBackend& backend_;
};

}  // namespace zelora
