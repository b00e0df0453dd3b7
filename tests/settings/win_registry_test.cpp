// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own key, HKEY_LOCAL_MACHINE\Software\Quorvan\Zelora, seen
// through the plain registry calls rather than through the backend. The test
// replaces that key, so it runs only where the registry is thrown away
// afterwards (ZELORA_THROWAWAY_REGISTRY=1, set by tools/windows_tests.sh).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "registry_backend.h"
#include "settings_key.h"

namespace zelora {
namespace {

class MachineKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* throwaway = std::getenv("ZELORA_THROWAWAY_REGISTRY");
    if (throwaway == nullptr || std::string(throwaway) != "1") {
      GTEST_SKIP() << "would replace this machine's settings key";
    }
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Quorvan");
  }
  void TearDown() override {
    if (!IsSkipped()) RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Quorvan");
  }

  struct Raw {
    LONG status = ERROR_SUCCESS;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
  };
  static Raw Query(const char* name) {
    Raw raw;
    HKEY key = nullptr;
    raw.status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Quorvan\\Zelora", 0, KEY_READ, &key);
    if (raw.status != ERROR_SUCCESS) return raw;
    raw.data.resize(64);
    DWORD size = static_cast<DWORD>(raw.data.size());
    raw.status = RegQueryValueExA(key, name, nullptr, &raw.type, raw.data.data(), &size);
    raw.data.resize(raw.status == ERROR_SUCCESS ? size : 0);
    RegCloseKey(key);
    return raw;
  }
  static void Set(const char* name, DWORD type, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Quorvan\\Zelora", 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
};

TEST_F(MachineKeyTest, WritesLandInTheMachineKeyWithTheirTypes) {
  const std::unique_ptr<RegistryBackend> registry = MakePlatformRegistry();
  EXPECT_FALSE(SettingsKey::OpenForReading(*registry).has_value());
  {
    auto key = SettingsKey::OpenForWriting(*registry);
    ASSERT_TRUE(key.has_value());
    key->WriteInteger("R_typeface", -1);
    key->WriteBool("R_robust", true);
    key->WriteFloat("R_lpi", 64.0L);
  }
  Raw raw = Query("R_typeface");
  EXPECT_EQ(raw.status, ERROR_SUCCESS);
  EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(raw.data, (std::vector<BYTE>{0xff, 0xff, 0xff, 0xff}));
  raw = Query("R_robust");
  EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(raw.data, (std::vector<BYTE>{1, 0, 0, 0}));
  raw = Query("R_lpi");
  EXPECT_EQ(raw.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(raw.data, (std::vector<BYTE>{0, 0, 0, 0, 0, 0, 0x50, 0x40}));
}

TEST_F(MachineKeyTest, ValuesSetByOtherProgramsAreCheckedByTypeAndSize) {
  Set("R_x", REG_DWORD, {0xfe, 0xff, 0xff, 0xff});
  Set("R_y", REG_SZ, {'1', '2', '3', 0});
  Set("R_baudrate", REG_SZ, {'1', '2', '3', '4', 0});
  Set("R_pitch", REG_BINARY, {0, 0, 0, 0, 0, 0, 0x28, 0x40});
  Set("R_point", REG_BINARY, std::vector<BYTE>(10));
  const std::unique_ptr<RegistryBackend> registry = MakePlatformRegistry();
  auto key = SettingsKey::OpenForReading(*registry);
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->ReadInteger("R_x"), -2);
  EXPECT_EQ(key->ReadFloat("R_pitch"), 12.0L);
  const auto message = [&](auto read) -> std::string {
    try {
      read();
    } catch (const RegistryError& e) {
      return e.what();
    }
    return "(no error)";
  };
  EXPECT_EQ(message([&] { key->ReadInteger("R_y"); }), "Invalid data type for 'R_y'");
  EXPECT_EQ(message([&] { key->ReadInteger("R_baudrate"); }),
            "Failed to get data for 'R_baudrate'");
  EXPECT_EQ(message([&] { key->ReadFloat("R_point"); }), "Failed to get data for 'R_point'");
}

}  // namespace
}  // namespace zelora
