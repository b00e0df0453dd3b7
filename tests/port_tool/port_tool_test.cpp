// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelora-port on a temporary settings file: the system's own checks of device
// nodes and CUPS destinations, a fixed list of candidates, a CUPS server that
// is not there and the private one of the cups_server fixture.

#include "port_tool.h"

#ifndef _WIN32
#include <cups/cups.h>
#endif
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hive_file_registry.h"
#include "registry_backend.h"
#include "settings_key.h"
#include "settings_store.h"
#include "support/test_files.h"
#ifdef _WIN32
#include <windows.h>
#else
#include "support/unprivileged.h"
#endif

namespace zelora {
namespace {

#ifndef _WIN32
class PortToolTest : public ::testing::Test {
 protected:
  PortToolTest() {
    // No CUPS server listens there.
    cupsSetServer("127.0.0.1:1");
    ::mkfifo(fifo_.c_str(), 0666);
    std::ofstream(dir_ / "plain") << "not a printer";
    surroundings_.device_nodes = [this] { return std::vector<std::string>{fifo_}; };
  }

  struct Result {
    int status;
    std::string out, err;
  };
  Result Run(std::vector<std::string_view> args) {
    std::ostringstream out, err;
    HiveFileRegistry settings(dir_.path());
    const int status = RunPortTool(args, settings, surroundings_, out, err);
    return {status, out.str(), err.str()};
  }
  std::string SettingsFile() {
    const std::filesystem::path file = dir_ / "HKEY_LOCAL_MACHINE.reg";
    return std::filesystem::exists(file) ? testing::ReadFile(file.string()) : "(none)";
  }

  testing::TempDir dir_{"zelora-port-"};
  std::string fifo_ = (dir_ / "lp9").string();
  std::string settings_file_ = (dir_ / "HKEY_LOCAL_MACHINE.reg").string();
  PortSurroundings surroundings_ = SystemSurroundings(settings_file_);
};

TEST_F(PortToolTest, ShowSetUnsetListAndRefusals) {
  const std::string plain = (dir_ / "plain").string();
  const std::string gone = (dir_ / "gone").string();
  const std::string no_server = "the CUPS server 127.0.0.1:1 cannot be reached.\n";
  const struct {
    std::vector<std::string_view> args;
    int status;
    std::string out;  // expected within stdout
    std::string err;  // expected within stderr
    bool changes_file;
  } steps[] = {
      {{}, kPortToolOk, "Port: /dev/lp0\nFrom: built in", "", false},
      {{"set", fifo_}, kPortToolOk, "Port: " + fifo_, "", true},
      {{"show"},
       kPortToolOk,
       "Port: " + fifo_ + "\nFrom: the Port value in " + settings_file_,
       "",
       false},
      {{"set", plain},
       kPortToolRefused,
       "",
       plain + " is neither a character device nor a FIFO",
       false},
      {{"set", gone}, kPortToolRefused, "", "No such file or directory", false},
      {{"set", "/dev/null"}, kPortToolRefused, "", "/dev/null is a memory device", false},
      {{"set", "cups://Nowhere"}, kPortToolRefused, "", no_server, false},
      {{"set", "socket://"}, kPortToolRefused, "", "'socket://' refused: ", false},
      {{"set", "socket://localhost"}, kPortToolOk, "Port: socket://localhost:9100", "", true},
      {{"list"}, kPortToolRefused, fifo_ + "  writable\n", no_server, false},
      {{"unset"}, kPortToolOk, "Port: /dev/lp0 (built in)", "", true},
      {{"--version"}, kPortToolOk, "zelora-port " ZELORA_VERSION "\n", "", false},
      {{"frobnicate"}, kPortToolUsage, "", "unknown command 'frobnicate'", false},
      {{"set"}, kPortToolUsage, "", "set takes one value", false},
      {{"unset", "x"}, kPortToolUsage, "", "unset takes no value", false},
  };
  for (const auto& step : steps) {
    std::string line;
    for (std::string_view arg : step.args) line += std::string(arg) + " ";
    SCOPED_TRACE(line);
    const std::string before = SettingsFile();
    const Result result = Run(step.args);
    EXPECT_EQ(result.status, step.status);
    EXPECT_NE(result.out.find(step.out), std::string::npos) << result.out;
    EXPECT_NE(result.err.find(step.err), std::string::npos) << result.err;
    EXPECT_EQ(SettingsFile() != before, step.changes_file);
  }
  HiveFileRegistry settings(dir_.path());
  EXPECT_EQ(SettingsStore(settings).LoadPort(), "");

  // A value stored by other means is checked by the same rule.
  ASSERT_TRUE(SettingsStore(settings).StorePort("/dev/zero"));
  const Result shown = Run({"show"});
  EXPECT_EQ(shown.status, kPortToolRefused);
  EXPECT_NE(shown.err.find("/dev/zero is a memory device, which takes every job and prints "
                           "none. Every job fails until"),
            std::string::npos)
      << shown.err;
}

TEST_F(PortToolTest, UnusableSettingsAndUsersWhoMayNotStore) {
  {
    HiveFileRegistry settings(dir_.path());
    auto key = SettingsKey::OpenForWriting(settings);
    ASSERT_TRUE(key.has_value());
    key->WriteInteger(kPortValue, 1);
  }
  Result result = Run({"show"});
  EXPECT_EQ(result.status, kPortToolSettingsError);
  EXPECT_EQ(result.err, "zelora-port: Invalid data type for 'Port'\n");

  ASSERT_EQ(Run({"set", "socket://localhost:9101"}).status, kPortToolOk);
  std::filesystem::permissions(dir_.path(), static_cast<std::filesystem::perms>(0755));
  testing::RunUnprivileged([&] {
    EXPECT_EQ(Run({"show"}).out,
              "Port: socket://localhost:9101\nFrom: the Port value in " + settings_file_ + "\n");
    const Result refused = Run({"set", fifo_});
    EXPECT_EQ(refused.status, kPortToolNotAllowed);
    EXPECT_EQ(refused.err, "zelora-port: This user may not store settings in '" + settings_file_ +
                               "'; only user 'root' may\n");
    EXPECT_EQ(Run({"unset"}).status, kPortToolNotAllowed);
  });
  // A file this user may not read holds a value all the same: not "built in".
  std::filesystem::permissions(settings_file_, static_cast<std::filesystem::perms>(0600));
  testing::RunUnprivileged([&] {
    const Result unreadable = Run({"show"});
    EXPECT_EQ(unreadable.status, kPortToolSettingsError);
    EXPECT_EQ(unreadable.err,
              "zelora-port: cannot read " + settings_file_ + ": Permission denied.\n");
  });
}

// A server that is there: its queues are listed and may be chosen, and a queue
// it lacks is told apart from a server that cannot be reached.
TEST_F(PortToolTest, QueuesOfALiveServer) {
  const std::filesystem::path server_dir = ZELORA_CUPS_SERVER_DIR;
  const std::string unavailable = testing::ReadFile(server_dir / "unavailable");
  if (!unavailable.empty()) GTEST_SKIP() << "no CUPS server here: " << unavailable;
  std::string server = testing::ReadFile(server_dir / "server");
  server = server.substr(0, server.find('\n'));
  ASSERT_FALSE(server.empty()) << "the cups_server fixture started no server";
  cupsSetServer(server.c_str());
  const std::string queue = "zelora-port-" + std::to_string(::getpid()), chosen = "cups://" + queue;
  const std::string admin = "PATH=$PATH:/usr/sbin lpadmin -h " + server;
  ASSERT_EQ(std::system((admin + " -p " + queue + " -E -v socket://127.0.0.1:9").c_str()), 0);
  EXPECT_NE(Run({"list"}).out.find(chosen + "  socket://127.0.0.1:9\n"), std::string::npos);
  EXPECT_EQ(Run({"set", chosen}).out, "Port: " + chosen + "\n");
  EXPECT_EQ(Run({"set", "cups://Nowhere"}).err,
            "zelora-port: 'cups://Nowhere' refused: the CUPS server " + server +
                " has no destination Nowhere.\n");
  EXPECT_EQ(std::system((admin + " -x " + queue).c_str()), 0);
}

#else
// The program's own key, which the test replaces: only where the registry is
// thrown away afterwards (ZELORA_THROWAWAY_REGISTRY=1, tools/windows_tests.sh).
TEST(WindowsPortTool, PortsOfWindowsInTheMachineKey) {
  const char* throwaway = std::getenv("ZELORA_THROWAWAY_REGISTRY");
  if (throwaway == nullptr || std::string(throwaway) != "1") {
    GTEST_SKIP() << "would replace this machine's settings key";
  }
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Quorvan");
  const std::unique_ptr<RegistryBackend> registry = MakePlatformRegistry();
  ASSERT_TRUE(DefineDosDeviceA(DDD_RAW_TARGET_PATH, "LPT3", "\\??\\C:\\lpt3"));
  const std::string share = "\\\\server\\printer";
  const struct {
    std::vector<std::string_view> args;
    int status;
    std::string out, err, stored;
    std::string_view absent = "CUPS";  // nowhere in stdout
  } rows[] = {
      {{"set", "LPT2"}, kPortToolOk, "Port: LPT2\n", "", "LPT2"},
      {{}, kPortToolOk, "LPT2\nFrom: the Port value in HKEY_LOCAL_MACHINE\\Software", "", "LPT2"},
      {{"set", share}, kPortToolOk, "Port: " + share + "\n", "", share},
      {{"set", "cups://x"}, kPortToolRefused, "", "there is no CUPS on Windows", share},
      {{"set", "/dev/usb/lp0"}, kPortToolRefused, "", "is not a printer port", share},
      {{"unset"}, kPortToolOk, "Port: LPT1 (built in)\n", "", ""},
      {{"list"}, kPortToolOk, "\n  LPT3  \\??\\C:\\lpt3\n", "", ""},
      {{"--help"}, kPortToolOk, "\\\\server\\printer       a shared printer", "", "", "/"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.empty() ? "show" : std::string(row.args.back()));
    std::ostringstream out, err;
    EXPECT_EQ(RunPortTool(row.args, *registry, WindowsSurroundings(), out, err), row.status);
    EXPECT_NE(out.str().find(row.out), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find(row.absent), std::string::npos) << out.str();
    EXPECT_NE(err.str().find(row.err), std::string::npos) << err.str();
    EXPECT_EQ(SettingsStore(*registry).LoadPort(), row.stored);
  }
  DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_RAW_TARGET_PATH, "LPT3", "\\??\\C:\\lpt3");
}
#endif

}  // namespace
}  // namespace zelora
