// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "utility_jobs.h"

#include "pjl_job.h"

namespace zelora {

namespace {

// UEL <line> CR LF UEL: one PJL line framed on both sides.
std::string FramedLine(std::string_view line) {
  std::string job;
  job.reserve(kUel.size() + line.size() + 2 + kUel.size());
  job.append(kUel).append(line).append("\r\n").append(kUel);
  return job;
}

}  // namespace

std::string ConfigurationPageJob() { return FramedLine("@PJL TEST PRINT=CONFIG"); }

std::string FormFeedJob() { return "\f"; }

std::string InitializeJob() {
  return FramedLine("@PJL INITIALIZE") + FramedLine("@PJL INFO PRINTER=ALL");
}

std::string PaperA4Job() { return SettingJob("PAPER", "A4"); }

bool SendUtilityJob(std::string_view job, PortWriter& port, Notifier& notifier) {
  if (port.WriteJob(job)) return true;
  notifier.ShowTransmissionError(TransmissionErrorVariant::MultiCommand);
  return false;
}

void SendInitializeJobs(PortWriter& port, Notifier& notifier) {
  SendUtilityJob(InitializeJob(), port, notifier);
  SendUtilityJob(PaperA4Job(), port, notifier);
}

}  // namespace zelora
