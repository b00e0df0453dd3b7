// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "control_transfer.h"
#include "hive_file_registry.h"
#include "memory_registry.h"
#include "number_text.h"
#include "setting_words.h"
#include "settings_controller.h"
#include "settings_key.h"
#include "support/loopback_printer.h"
#include "support/recording_port.h"
#include "support/test_files.h"
#include "support/test_printer.h"

namespace zelora {
namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome Ctl(RegistryBackend& settings, std::vector<std::string> args) {
  CtlSurroundings surroundings;
  surroundings.port.settings_unreadable = [] { return std::string(); };
  surroundings.inquire_bound = std::chrono::milliseconds(300);
  const std::vector<std::string_view> views(args.begin(), args.end());
  std::ostringstream out, err;
  const int status = RunCtl(views, settings, surroundings, out, err);
  return {status, out.str(), err.str()};
}

// What a user changes in the window for each value: the second entry of a
// list, the other state of a switch, the top of a field's range. The text is
// what the window shows for it, which the command line takes.
std::string EditText(const NamedValue& named, ControlValues& window) {
  const auto holds = [&](auto kind) {
    return named.setting && std::holds_alternative<decltype(kind)>(RowOf(*named.setting).field);
  };
  if (holds(&SettingsRecord::papersize)) {
    window.SetItemIndex(named.control, 1);
    const std::string word = ShownWord(named, window);
    return word.empty() ? ShownValue(named, window) : word;
  }
  if (holds(&SettingsRecord::autocont)) {
    if (named.setting == Setting::Orientation) {
      ApplyOrientation(!window.Checked(named.control), window);
    } else {
      window.SetChecked(named.control, !window.Checked(named.control));
    }
    return ShownValue(named, window);
  }
  const long double top = window.Spin(named.control).properties().max_value;
  window.SetSpinValue(named.control, top);
  return GeneralNumberText(top, '.');
}

// Each value changed alone, by the window's Send and by `set`: the same bytes
// reach the printer and the same values are stored. A value added to the
// tables is covered without a change here.
TEST(CtlSet, SendsAndStoresWhatTheWindowDoesForTheSameEdit) {
  for (const NamedValue& named : NamedValues()) {
    SCOPED_TRACE(named.name);
    testing::TestPrinter printer;
    MemoryRegistry window_settings;
    const SettingsStore window_store(window_settings);
    SettingsRecord record;
    ControlValues window;
    LoadIntoWindow(window_store, record, window);
    std::vector<std::string> args = {"--port", printer.value(), "--store", "set"};
    if (!named.setting) {
      // The custom size goes with its paper.
      window.SetItemIndex(Control::ComPapersize, kCustomPaperIndex);
      args.push_back("papersize=" + ShownValue(*FindNamed("papersize"), window));
    }
    args.push_back(named.name + "=" + EditText(named, window));
    testing::RecordingPrinterPort window_port;
    testing::RecordingNotifier notifier;
    SettingsController(window, record, window_store, window_port, notifier).BtnApplyClick();

    MemoryRegistry ctl_settings;
    const Outcome outcome = Ctl(ctl_settings, args);
    ASSERT_EQ(outcome.status, kCtlOk) << outcome.err;
    EXPECT_EQ(printer.Bytes(), window_port.Bytes());
    for (const std::string& value : window_settings.ValueNames(kSettingsKeyPath)) {
      EXPECT_EQ(ctl_settings.GetValue(kSettingsKeyPath, value)->data,
                window_settings.GetValue(kSettingsKeyPath, value)->data)
          << value;
    }
    EXPECT_EQ(ctl_settings.ValueNames(kSettingsKeyPath).size(),
              window_settings.ValueNames(kSettingsKeyPath).size());
  }
}

// A call for another printer stores nothing unless told to; the stored
// printer's call stores what it took.
TEST(CtlSet, StoresForTheStoredPrinterOrWhenAsked) {
  testing::TestPrinter printer;
  MemoryRegistry settings;
  ASSERT_EQ(Ctl(settings, {"--port", printer.value(), "set", "timeout=45"}).status, kCtlOk);
  EXPECT_FALSE(settings.GetValue(kSettingsKeyPath, "R_timeout"));
  ASSERT_TRUE(SettingsStore(settings).StorePort(printer.value()));
  ASSERT_EQ(Ctl(settings, {"set", "timeout=45"}).status, kCtlOk);
  EXPECT_EQ(settings.GetDouble(kSettingsKeyPath, "R_timeout"), 45.0);
  EXPECT_NE(printer.Bytes().find("@PJL DEFAULT TIMEOUT=45\r\n"), std::string::npos);
}

// Another program's store between a call's load and its stores would be sent
// over with what the call loaded (an unset number of copies is sent as the 1
// the field shows): the call holds the settings from before its load.
TEST(CtlSet, ReadsTheSettingsOnlyWhileHoldingThem) {
  struct Watched final : RegistryBackend {
    std::unique_ptr<RegistryKey> OpenKey(std::string_view path, KeyAccess access) override {
      // The settings are read through OpenKey and written through CreateKey.
      reads_while_held.push_back(inner.OpenKeyCount() > 0);
      return inner.OpenKey(path, access);
    }
    std::unique_ptr<RegistryKey> CreateKey(std::string_view path) override {
      return inner.CreateKey(path);
    }
    MemoryRegistry inner;
    std::vector<bool> reads_while_held;
  } settings;
  testing::TestPrinter printer(SettingsStore(settings.inner));
  ASSERT_EQ(Ctl(settings, {"set", "timeout=45"}).status, kCtlOk);
  EXPECT_EQ(settings.inner.GetDouble(kSettingsKeyPath, "R_timeout"), 45.0);
  ASSERT_FALSE(settings.reads_while_held.empty());
  EXPECT_EQ(settings.reads_while_held, std::vector<bool>(settings.reads_while_held.size(), true));
}

// What a script can rely on: a status for each way a call ends, and nothing
// sent when the call is refused before.
TEST(CtlStatus, EachEndHasItsOwn) {
  testing::LoopbackPrinter refusing(testing::LoopbackPrinter::Mode::kRefuse);
  const std::string unreachable = "socket://127.0.0.1:" + std::to_string(refusing.port());
  testing::TestPrinter printer;
  struct Case {
    const char* name;
    std::function<void(MemoryRegistry&)> settings;
    std::vector<std::string> args;
    int status;
  };
  const auto none = [](MemoryRegistry&) {};
  const std::vector<Case> cases = {
      {"show", none, {"show"}, kCtlOk},
      {"out of range", none, {"--port", printer.value(), "set", "timeout=301"}, kCtlRefused},
      {"no such item", none, {"--port", printer.value(), "set", "symset=ROMAN9"}, kCtlRefused},
      {"no such name", none, {"--port", printer.value(), "set", "speed=9"}, kCtlRefused},
      {"store without port", none, {"--store", "show"}, kCtlRefused},
      {"may not store",
       [](MemoryRegistry& r) { r.SetAccess(MemoryRegistry::Access::kReadOnly); },
       {"--port", printer.value(), "--store", "set", "timeout=45"},
       kCtlNotAllowed},
      {"unreadable",
       [](MemoryRegistry& r) { r.PutDouble(kSettingsKeyPath, "R_papersize", 1); },
       {"--port", printer.value(), "set", "timeout=45"},
       kCtlSettingsError},
      {"unreachable", none, {"--port", unreachable, "set", "timeout=45"}, kCtlUnreachable},
      {"cannot answer", none, {"--port", "cups://Office", "inquire"}, kCtlCannotAnswer},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRegistry settings;
    c.settings(settings);
    EXPECT_EQ(Ctl(settings, c.args).status, c.status);
  }
  EXPECT_EQ(printer.Bytes(), "");
}

// The printer's defaults beside the window's: equal, different, unknown to
// the printer, and a printer that never answers within the bound.
TEST(CtlInquire, MarksWhatDiffersAndWhatIsUnknown) {
  testing::LoopbackPrinter answering(
      testing::LoopbackPrinter::Mode::kRecord,
      std::map<std::string, std::string>{{"TIMEOUT", "20"}, {"COPIES", "3"}});
  MemoryRegistry settings;
  const std::string port = "socket://127.0.0.1:" + std::to_string(answering.port());
  Outcome outcome =
      Ctl(settings, {"--port", port, "inquire", "timeout", "copies", "symset", "--json"});
  EXPECT_EQ(outcome.status, kCtlDiffers) << outcome.err;
  EXPECT_EQ(outcome.out,
            "{\"port\": \"" + port +
                "\", \"values\": [{\"name\": \"timeout\", \"variable\": \"TIMEOUT\", \"stored\": "
                "\"20\", \"printer\": \"20\", \"differs\": false}, {\"name\": \"copies\", "
                "\"variable\": \"COPIES\", \"stored\": \"1\", \"printer\": \"3\", \"differs\": "
                "true}, {\"name\": \"symbol\", \"variable\": \"SYMSET\", \"stored\": \"ROMAN8\", "
                "\"printer\": \"\\\"?\\\"\", \"differs\": false}]}\n");
  EXPECT_EQ(Ctl(settings, {"--port", port, "inquire", "timeout"}).status, kCtlOk);

  testing::LoopbackPrinter silent;
  outcome = Ctl(settings, {"--port", "socket://127.0.0.1:" + std::to_string(silent.port()),
                           "inquire", "timeout"});
  EXPECT_EQ(outcome.status, kCtlUnreachable);
  EXPECT_NE(outcome.out.find("no answer"), std::string::npos);
}

// The window and the command line on one settings file at once: each keeps
// the other's values.
TEST(CtlWithTheWindow, NeitherLosesTheOthersValues) {
  const testing::TempDir folder("zelora-both-");
  HiveFileRegistry window_file(folder.path());
  // Sent once before: an unset number of copies is sent by every Send, as
  // the field shows 1 for it.
  SettingsKey::OpenForWriting(window_file)->WriteFloat("R_copies", 1);
  const SettingsStore window_store(window_file);
  testing::TestPrinter printer(window_store);
  SettingsRecord record;
  ControlValues window;
  LoadIntoWindow(window_store, record, window);

  HiveFileRegistry ctl_file(folder.path());
  ASSERT_EQ(Ctl(ctl_file, {"set", "copies=3"}).status, kCtlOk);
  window.SetSpinValue(Control::SpinTimeout, 45);
  testing::RecordingNotifier notifier;
  SettingsController(window, record, window_store, printer.port(), notifier).BtnApplyClick();

  SettingsRecord stored;
  HiveFileRegistry reread(folder.path());
  SettingsStore(reread).LoadSettings(stored);
  EXPECT_EQ(stored.copies, 3);
  EXPECT_EQ(stored.timeout, 45);
}

}  // namespace
}  // namespace zelora
