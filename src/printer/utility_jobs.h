// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "port_writer.h"
#include "transmission_notifier.h"

namespace zelora {

// The jobs that store nothing in the settings key.

// UEL "@PJL TEST PRINT=CONFIG" CR LF UEL: the printer prints its configuration
// page.
std::string ConfigurationPageJob();

// The single byte FF: the printer ejects the page it holds.
std::string FormFeedJob();

// UEL "@PJL INITIALIZE" CR LF UEL, then UEL "@PJL INFO PRINTER=ALL" CR LF UEL,
// sent as one job. The answer to INFO is never read.
std::string InitializeJob();

// UEL "@PJL DEFAULT PAPER=A4" CR LF UEL.
std::string PaperA4Job();

// Writes a utility job; when the port does not take it, shows the
// multi-command box. True when written.
bool SendUtilityJob(std::string_view job, PortWriter& port, Notifier& notifier);

// The end of restoring the factory settings: the initialise job, then the A4
// paper job whatever became of the first; each failure shows its own box.
void SendInitializeJobs(PortWriter& port, Notifier& notifier);

}  // namespace zelora
