// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <optional>
#include <sstream>
#include <vector>

#include "control_transfer.h"
#include "demo_page.h"
#include "lines_per_page.h"
#include "pjl_job.h"
#include "printer_inquiry.h"
#include "program_version.h"
#include "registry_backend.h"
#include "registry_error.h"
#include "setting_words.h"
#include "settings_controller.h"
#include "settings_key.h"
#include "settings_store.h"
#include "utility_jobs.h"
#include "window_rules.h"

namespace zelora {
namespace {

constexpr std::string_view kUsage =
    "Usage: zeloractl [--port VALUE [--store]] COMMAND [--json]\n"
    "  show                  the stored settings, as the window shows them\n"
    "  set NAME=VALUE...     send the settings that change and store each one the\n"
    "                        printer took\n"
    "  default               the factory settings, stored and sent\n"
    "  config-page           print the printer's configuration page\n"
    "  form-feed             eject a page\n"
    "  demo-page [FILE]      stream the demonstration page\n"
    "  inquire [NAME...]     the printer's power-on defaults beside the stored ones\n"
    "  port show|list|set VALUE|unset\n"
    "                        the printer port of the settings (as zelora-port)\n"
    "--port VALUE talks to that printer for this call only; nothing is stored\n"
    "unless --store is given too. See zeloractl(1) for names, values and statuses.\n";

// A settings key that takes every write and keeps none: a call for another
// printer than the stored one sends as the window would but must not record
// what that printer took as the stored printer's.
class NoStoreRegistry final : public RegistryBackend {
  class Key final : public RegistryKey {
   public:
    QueryResult QueryValue(std::string_view, std::optional<std::uint32_t>) override {
      QueryResult none;
      none.status = QueryStatus::kNotFound;
      return none;
    }
    bool SetValue(std::string_view, std::uint32_t, std::span<const std::uint8_t>) override {
      return true;
    }
    bool DeleteValue(std::string_view) override { return true; }
  };

 public:
  std::unique_ptr<RegistryKey> OpenKey(std::string_view, KeyAccess) override {
    return std::make_unique<Key>();
  }
  std::unique_ptr<RegistryKey> CreateKey(std::string_view) override {
    return std::make_unique<Key>();
  }
};

// The jobs of a call and whether the port took each.
class JobLog final : public PortWriter {
 public:
  explicit JobLog(PortWriter& port) : port_(port) {}
  bool WriteJob(std::string_view job) override {
    const bool written = port_.WriteJob(job);
    jobs.push_back({std::string(job), written});
    return written;
  }
  struct Job {
    std::string bytes;
    bool written;
  };
  std::vector<Job> jobs;

 private:
  PortWriter& port_;
};

// A failed job is reported once the call is over, with the others.
class QuietNotifier final : public Notifier {
 public:
  void ShowTransmissionError(TransmissionErrorVariant) override {}
};

// "VAR=VALUE" of each "@PJL DEFAULT" line of a job, in order.
std::vector<std::string> Defaults(std::string_view job) {
  std::vector<std::string> found;
  constexpr std::string_view kDefault = "@PJL DEFAULT ";
  for (std::size_t at = job.find(kDefault); at != std::string_view::npos;
       at = job.find(kDefault, at + 1)) {
    const std::size_t begin = at + kDefault.size();
    found.emplace_back(job.substr(begin, job.find("\r\n", begin) - begin));
  }
  return found;
}

std::string Json(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

// One call: the options, the settings and the printer it works on.
class Call {
 public:
  Call(RegistryBackend& settings, const CtlSurroundings& surroundings, std::ostream& out,
       std::ostream& err)
      : settings_(settings), surroundings_(surroundings), out_(out), err_(err) {}

  int Run(std::vector<std::string_view> args);

 private:
  int Fail(int status, const std::string& message) {
    err_ << "zeloractl: " << message << "\n";
    return status;
  }
  // Loads the stored settings into the record and the window's values.
  std::optional<int> Load();
  // Chooses the printer; a status when it cannot be chosen.
  std::optional<int> ChoosePort();
  // Whether this call stores; when it does, holds the settings from before
  // the load to the last store, so that another program's stores are neither
  // missed nor overwritten with what this call loaded before them.
  std::optional<int> HoldForStoring();
  const SettingsStore& PassStore() { return storing_ ? store_ : scratch_store_; }
  int ReportJobs(const JobLog& log);

  int Show();
  int Set(std::span<const std::string_view> assignments);
  // The window's Send or Default on the stored settings, the edits made first.
  int Click(void (SettingsController::*click)(), std::span<const Edit> edits);
  int Utility(const std::string& job);
  int DemoPage(std::span<const std::string_view> args);
  int Inquire(std::span<const std::string_view> names);
  int Port(std::span<const std::string_view> args);

  RegistryBackend& settings_;
  const CtlSurroundings& surroundings_;
  std::ostream& out_;
  std::ostream& err_;
  SettingsStore store_{settings_};
  std::optional<SettingsStore::Hold> hold_;
  NoStoreRegistry scratch_;
  SettingsStore scratch_store_{scratch_};
  SettingsRecord record_;
  ControlValues controls_;
  SelectablePort port_;
  std::optional<std::string> port_value_;
  std::string chosen_;  // the port value of this call
  bool store_flag_ = false;
  bool storing_ = true;
  bool json_ = false;
};

std::optional<int> Call::Load() {
  if (const std::string why = surroundings_.port.settings_unreadable(); !why.empty()) {
    return Fail(kCtlSettingsError, why);
  }
  try {
    LoadIntoWindow(store_, record_, controls_);
  } catch (const RegistryError& e) {
    return Fail(kCtlSettingsError, e.what());
  }
  ShowCustomSize(controls_);
  return std::nullopt;
}

std::optional<int> Call::ChoosePort() {
  if (port_value_) {
    const PortValue value = ParsePortValue(*port_value_);
    if (value.form == PortForm::kInvalid) {
      return Fail(kCtlRefused, "--port '" + *port_value_ + "' refused: " + value.error);
    }
    port_.Select(*port_value_);
    chosen_ = *port_value_;
    return std::nullopt;
  }
  try {
    const std::string stored = store_.LoadPort();
    chosen_ = stored;
    if (const PortValue value = ParsePortValue(stored); value.form == PortForm::kInvalid) {
      return Fail(kCtlSettingsError, "the stored port '" + stored + "' is refused: " + value.error);
    }
    port_.Select(stored);
  } catch (const RegistryError& e) {
    return Fail(kCtlSettingsError, e.what());
  }
  return std::nullopt;
}

std::optional<int> Call::HoldForStoring() {
  storing_ = !port_value_ || store_flag_;
  if (!storing_) return std::nullopt;
  try {
    hold_.emplace(store_);
  } catch (const RegistryError& e) {
    const std::string refusal = settings_.WriteRefusal(kSettingsKeyPath);
    return Fail(e.what() == refusal ? kCtlNotAllowed : kCtlSettingsError, e.what());
  }
  return std::nullopt;
}

int Call::ReportJobs(const JobLog& log) {
  bool failed = false;
  if (json_) {
    out_ << "{\"port\": " << Json(PortDescription(port_.selected()))
         << ", \"stored\": " << (storing_ ? "true" : "false") << ", \"jobs\": [";
  }
  for (std::size_t i = 0; i < log.jobs.size(); ++i) {
    const JobLog::Job& job = log.jobs[i];
    failed = failed || !job.written;
    std::vector<std::string> defaults = Defaults(job.bytes);
    if (defaults.empty()) {
      // A utility job: its PJL or printer command, for the user.
      std::string shown = job.bytes;
      if (const std::size_t at = shown.find("@PJL "); at != std::string::npos) {
        shown = shown.substr(at + 5, shown.find("\r\n", at) - at - 5);
      } else {
        shown = shown == "\f" ? "FORM FEED" : "JOB";
      }
      defaults.push_back(shown);
    }
    if (json_) {
      out_ << (i == 0 ? "" : ", ") << "{\"commands\": [";
      for (std::size_t d = 0; d < defaults.size(); ++d) {
        out_ << (d == 0 ? "" : ", ") << Json(defaults[d]);
      }
      out_ << "], \"written\": " << (job.written ? "true" : "false") << "}";
    } else {
      std::string line;
      for (const std::string& d : defaults) line += (line.empty() ? "" : " ") + d;
      out_ << line << ": " << (job.written ? "sent" : "NOT TAKEN by the printer") << "\n";
    }
  }
  if (json_) out_ << "]}\n";
  if (failed) {
    return Fail(kCtlUnreachable, "the printer at " + PortDescription(port_.selected()) +
                                     " did not take every job" +
                                     (storing_ ? "; what it did not take is not stored" : ""));
  }
  return kCtlOk;
}

int Call::Show() {
  if (const auto status = Load()) return *status;
  std::optional<SettingsKey> key;
  try {
    key = SettingsKey::OpenForReading(settings_);
  } catch (const RegistryError& e) {
    return Fail(kCtlSettingsError, e.what());
  }
  const auto stored = [&](const NamedValue& named) {
    const std::string value_name = "R_" + named.name;
    return key && key->ValueExists(value_name);
  };
  std::string port;
  try {
    port = PortDescription(ParsePortValue(store_.LoadPort()));
  } catch (const RegistryError& e) {
    return Fail(kCtlSettingsError, e.what());
  }
  if (json_) out_ << "{\"settings\": [";
  bool first = true;
  for (const NamedValue& named : NamedValues()) {
    const std::string value = ShownValue(named, controls_);
    const std::string word = ShownWord(named, controls_);
    if (json_) {
      out_ << (first ? "" : ", ") << "{\"name\": " << Json(named.name)
           << ", \"value\": " << Json(value);
      if (!word.empty()) out_ << ", \"word\": " << Json(word);
      out_ << ", \"stored\": " << (stored(named) ? "true" : "false") << "}";
    } else {
      out_ << std::left << std::setw(12) << named.name << " " << value;
      if (!word.empty() && word != value) out_ << " [" << word << "]";
      if (!stored(named)) out_ << " (unset)";
      out_ << "\n";
    }
    first = false;
  }
  if (json_) {
    out_ << "], \"port\": " << Json(port) << "}\n";
  } else {
    out_ << std::left << std::setw(12) << "port"
         << " " << port << "\n";
  }
  return kCtlOk;
}

int Call::Set(std::span<const std::string_view> assignments) {
  if (assignments.empty()) return Fail(kCtlRefused, "set needs NAME=VALUE");
  std::vector<Edit> edits;
  for (const std::string_view assignment : assignments) {
    std::string why;
    std::optional<Edit> edit = ParseEdit(assignment, why);
    if (!edit) return Fail(kCtlRefused, why);
    edits.push_back(std::move(*edit));
  }
  return Click(&SettingsController::BtnApplyClick, edits);
}

int Call::Click(void (SettingsController::*click)(), std::span<const Edit> edits) {
  if (const auto status = HoldForStoring()) return *status;
  if (const auto status = Load()) return *status;
  if (const auto status = ChoosePort()) return *status;
  for (const Edit& edit : edits) edit.ApplyTo(controls_);
  JobLog log(port_);
  QuietNotifier notifier;
  SettingsController controller(controls_, record_, PassStore(), log, notifier);
  try {
    (controller.*click)();
  } catch (const RegistryError& e) {
    ReportJobs(log);
    return Fail(kCtlSettingsError, e.what());
  } catch (const LinesTextError& e) {
    ReportJobs(log);
    return Fail(kCtlRefused, e.what());
  }
  return ReportJobs(log);
}

int Call::Utility(const std::string& job) {
  if (const auto status = ChoosePort()) return *status;
  JobLog log(port_);
  QuietNotifier notifier;
  SendUtilityJob(job, log, notifier);
  return ReportJobs(log);
}

int Call::DemoPage(std::span<const std::string_view> args) {
  if (args.size() > 1) return Fail(kCtlRefused, "demo-page takes one FILE at most");
  std::string path = args.empty() ? DemoFilePathIn(".") : std::string(args[0]);
  if (args.empty() && !std::filesystem::exists(path)) path = surroundings_.installed_demo_file;
  std::string bytes;
  try {
    bytes = ReadDemoFile(path);
  } catch (const DemoFileError& e) {
    return Fail(kCtlRefused, "cannot read " + path + ": " + e.what());
  }
  if (const auto status = ChoosePort()) return *status;
  int shown = -1;
  const auto progress = [&](std::size_t done, std::size_t total) {
    if (!surroundings_.progress_on_terminal) return;
    const int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
    if (percent == shown) return;
    shown = percent;
    constexpr int kWidth = 40;
    err_ << "\r[" << std::string(static_cast<std::size_t>(percent * kWidth / 100), '#')
         << std::string(static_cast<std::size_t>(kWidth - percent * kWidth / 100), ' ') << "] "
         << std::setw(3) << percent << "%" << std::flush;
  };
  bool refused = false;
  const bool opened = StreamDemoPage(port_, bytes, progress, [&] { refused = true; });
  if (shown >= 0) err_ << "\n";
  if (!opened || refused) {
    return Fail(kCtlUnreachable,
                "the printer at " + PortDescription(port_.selected()) +
                    (opened ? " stopped taking the demonstration page" : " cannot be reached"));
  }
  out_ << path << ": " << bytes.size() << " bytes sent\n";
  return kCtlOk;
}

int Call::Inquire(std::span<const std::string_view> names) {
  std::vector<const NamedValue*> asked;
  for (const std::string_view name : names) {
    const NamedValue* named = FindNamed(name);
    if (named == nullptr) {
      return Fail(kCtlRefused, "no setting is called '" + std::string(name) + "'");
    }
    if (!named->setting) {
      // The custom size travels in the paper size's job.
      return Fail(kCtlRefused, named->name + " is asked with papersize");
    }
    // Each variable once: the printer answers each once.
    if (std::ranges::find(asked, named) == asked.end()) asked.push_back(named);
  }
  if (asked.empty()) {
    for (const NamedValue& named : NamedValues()) {
      if (named.setting) asked.push_back(&named);
    }
  }
  if (const auto status = Load()) return *status;
  if (const auto status = ChoosePort()) return *status;
  // What each variable would be told: the job of the value the window shows
  // for the stored one, as Send builds it.
  struct Row {
    const NamedValue* named;
    std::string variable;
    std::string stored;
  };
  std::vector<Row> rows;
  std::vector<std::string> variables;
  for (const NamedValue* named : asked) {
    const Setting setting = *named->setting;
    for (const std::string& line :
         Defaults(BuildJob(setting, ControlValue(setting, controls_), CustomSizeNow(controls_)))) {
      // A custom paper size's line carries its width and height too.
      std::istringstream assignments(line);
      for (std::string assignment; assignments >> assignment;) {
        const std::size_t equals = assignment.find('=');
        rows.push_back({named, assignment.substr(0, equals), assignment.substr(equals + 1)});
        variables.push_back(rows.back().variable);
      }
    }
  }
  const InquiryResult result = InquireDefaults(chosen_, variables, surroundings_.inquire_bound);
  if (result.outcome == InquiryOutcome::kCannotAnswer) {
    return Fail(kCtlCannotAnswer, result.reason);
  }
  if (result.outcome == InquiryOutcome::kUnreachable) return Fail(kCtlUnreachable, result.reason);
  // Numbers by value ("45" and "45.0"), words as words.
  const auto same = [](const std::string& a, const std::string& b) {
    long double x = 0;
    long double y = 0;
    std::istringstream ax(a), by(b);
    if ((ax >> x) && ax.eof() && (by >> y) && by.eof()) return x == y;
    return SameWord(a, b);
  };
  bool differs = false;
  bool unanswered = false;
  if (json_) out_ << "{\"port\": " << Json(PortDescription(port_.selected())) << ", \"values\": [";
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    // The answers come in the order asked.
    const std::optional<std::string>& printer = result.answers.at(i).value;
    const bool known = printer && !IsUnknownVariableAnswer(*printer);
    const bool different = known && !same(*printer, row.stored);
    differs = differs || different;
    unanswered = unanswered || !printer;
    const std::string mark = !printer    ? "no answer"
                             : !known    ? "unknown to the printer"
                             : different ? "differs"
                                         : "";
    if (json_) {
      out_ << (i == 0 ? "" : ", ") << "{\"name\": " << Json(row.named->name)
           << ", \"variable\": " << Json(row.variable) << ", \"stored\": " << Json(row.stored)
           << ", \"printer\": " << (printer ? Json(*printer) : "null")
           << ", \"differs\": " << (different ? "true" : "false") << "}";
    } else {
      out_ << std::left << std::setw(12) << row.named->name << " " << std::setw(14) << row.variable
           << " " << std::setw(12) << row.stored << " " << std::setw(12)
           << (!printer ? "-"
               : known  ? *printer
                        : "?")
           << " " << mark << "\n";
    }
  }
  if (json_) out_ << "]}\n";
  if (unanswered) {
    return Fail(kCtlUnreachable,
                result.reason.empty() ? "the printer did not answer in time" : result.reason);
  }
  return differs ? kCtlDiffers : kCtlOk;
}

int Call::Port(std::span<const std::string_view> args) {
  std::ostringstream messages;
  const int status = RunPortTool(args, settings_, surroundings_.port, out_, messages);
  std::string text = messages.str();
  // The same tool under this program's name.
  for (std::size_t at = text.find("zelora-port"); at != std::string::npos;
       at = text.find("zelora-port", at)) {
    text.replace(at, 11, "zeloractl port");
  }
  err_ << text;
  switch (status) {
    case kPortToolOk:
      return kCtlOk;
    case kPortToolRefused:
    case kPortToolUsage:
      return kCtlRefused;
    case kPortToolNotAllowed:
      return kCtlNotAllowed;
    case kPortToolSettingsError:
      return kCtlSettingsError;
    default:
      return kCtlOutputError;
  }
}

int Call::Run(std::vector<std::string_view> args) {
  std::vector<std::string_view> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--json") {
      json_ = true;
    } else if (args[i] == "--store") {
      store_flag_ = true;
    } else if (args[i] == "--port") {
      if (i + 1 == args.size()) return Fail(kCtlRefused, "--port needs a VALUE");
      port_value_ = std::string(args[++i]);
    } else if (args[i] == "--help" || args[i] == "-h") {
      out_ << kUsage;
      return kCtlOk;
    } else if (args[i] == "--version") {
      out_ << VersionText("zeloractl");
      return kCtlOk;
    } else {
      rest.push_back(args[i]);
    }
  }
  if (store_flag_ && !port_value_) return Fail(kCtlRefused, "--store goes with --port");
  if (rest.empty()) {
    err_ << kUsage;
    return kCtlRefused;
  }
  const std::string_view command = rest.front();
  const std::span<const std::string_view> operands(rest.begin() + 1, rest.end());
  const bool no_operands = operands.empty();
  if (command == "show" && no_operands) return Show();
  if (command == "set") return Set(operands);
  if (command == "default" && no_operands) return Click(&SettingsController::BtnDefaultClick, {});
  if (command == "config-page" && no_operands) return Utility(ConfigurationPageJob());
  if (command == "form-feed" && no_operands) return Utility(FormFeedJob());
  if (command == "demo-page") return DemoPage(operands);
  if (command == "inquire") return Inquire(operands);
  if (command == "port") return Port(operands);
  err_ << kUsage;
  return kCtlRefused;
}

}  // namespace

int RunCtl(std::span<const std::string_view> args, RegistryBackend& settings,
           const CtlSurroundings& surroundings, std::ostream& out, std::ostream& err) {
  Call call(settings, surroundings, out, err);
  return call.Run({args.begin(), args.end()});
}

}  // namespace zelora
