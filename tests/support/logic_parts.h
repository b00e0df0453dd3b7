// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control_values.h"
#include "settings_record.h"
#include "settings_store.h"
#include "support/memory_registry.h"
#include "support/recording_port.h"

namespace zelora::testing {

// What the window's logic works on in a test: the controls, the record (load
// defaults), the settings key in memory with its store, a recording port and
// notifier.
struct LogicParts {
  ControlValues controls;
  SettingsRecord record = LoadDefaults();
  MemoryRegistry registry;
  SettingsStore store{registry};
  RecordingPrinterPort port;
  RecordingNotifier notifier;
};

}  // namespace zelora::testing
