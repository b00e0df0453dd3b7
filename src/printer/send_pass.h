// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pjl_job.h"
#include "port_writer.h"
#include "settings_record.h"
#include "settings_store.h"
#include "transmission_notifier.h"

namespace zelora {

// What the user wants the printer told: the eighteen settings in Setting
// order and the custom paper size.
struct WantedSettings {
  SettingValues settings;
  CustomSize custom;
};

// The Send pass, on values, so that it needs no window. Every setting whose
// wanted value differs from the record goes to the printer in the setting
// table's order, the settings key held for storing throughout (a user who may
// not store gets its RegistryError and nothing is sent). A written value is
// stored; a refused one becomes the record's again. The rows say what follows
// a setting: the lines-per-page rule, and for the paper size each changed
// custom dimension. A custom dimension outside its limits becomes the record's
// (within the limits) before anything. A failed write does not stop the pass;
// an exception (a registry error, LinesTextError for no paper size) ends it
// where it is raised.
//
// `wanted` ends as the pass left it, also when an exception ends it: the
// put-back values and the lines per page chosen, for the caller to show. The
// record changes only as the stores change it (the orientation); taking the
// values into it is the caller's.
void SendChanged(WantedSettings& wanted, SettingsRecord& record, const SettingsStore& store,
                 PortWriter& port, Notifier& notifier);

}  // namespace zelora
