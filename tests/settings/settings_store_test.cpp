// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the record from the settings key and storing values into it.

#include "settings_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <type_traits>

#include "backend_fixtures.h"
#include "settings_key.h"

namespace zelora::testing {
namespace {

std::vector<std::uint8_t> DwordBytes(std::int32_t value) {
  std::vector<std::uint8_t> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}
std::vector<std::uint8_t> DoubleBytes(double value) {
  std::vector<std::uint8_t> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

// The key's values in load order, each with its field.
struct Field {
  const char* name;
  void (*copy)(SettingsRecord& to, const SettingsRecord& from);
  void (*write)(SettingsKey& key, const char* name, const SettingsRecord& from);
};
template <auto Member>
Field F(const char* name) {
  return {name, [](SettingsRecord& to, const SettingsRecord& from) { to.*Member = from.*Member; },
          [](SettingsKey& key, const char* value_name, const SettingsRecord& from) {
            using T = std::remove_cvref_t<decltype(from.*Member)>;
            if constexpr (std::is_same_v<T, bool>) {
              key.WriteBool(value_name, from.*Member);
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
              key.WriteInteger(value_name, from.*Member);
            } else {
              key.WriteFloat(value_name, from.*Member);
            }
          }};
}
const Field kFields[] = {
    F<&SettingsRecord::x>("R_x"),
    F<&SettingsRecord::y>("R_y"),
    F<&SettingsRecord::baudrate>("R_baudrate"),
    F<&SettingsRecord::timeout>("R_timeout"),
    F<&SettingsRecord::powersave>("R_powersave"),
    F<&SettingsRecord::autocont>("R_autocont"),
    F<&SettingsRecord::jamrecover>("R_jamrecover"),
    F<&SettingsRecord::robust>("R_robust"),
    F<&SettingsRecord::papersize>("R_papersize"),
    F<&SettingsRecord::source>("R_source"),
    F<&SettingsRecord::lpi>("R_lpi"),
    F<&SettingsRecord::copies>("R_copies"),
    F<&SettingsRecord::orientation>("R_orientation"),
    F<&SettingsRecord::papertype>("R_papertype"),
    F<&SettingsRecord::typeface>("R_typeface"),
    F<&SettingsRecord::symbol>("R_symbol"),
    F<&SettingsRecord::pitch>("R_pitch"),
    F<&SettingsRecord::point>("R_point"),
    F<&SettingsRecord::density>("R_density"),
    F<&SettingsRecord::economode>("R_economode"),
    F<&SettingsRecord::width>("R_width"),
    F<&SettingsRecord::height>("R_height"),
};

// Values a key might hold (density out of its list's range on purpose) ...
SettingsRecord Stored() {
  return {false, 11,    -22, 3,  250.0L, 1,      true,  true, true, 12,     2,     72.0L,
          3.0L,  false, 1,   17, 9,      12.25L, 10.5L, 5,    1,    150.0L, 250.0L};
}
// ... and a record that differs from it in every field.
SettingsRecord Previous() {
  return {false, 100,  200, 0, 45.0L, 4,     false, false, false, 2,      1,     64.0L,
          7.0L,  true, 0,   4, 1,     16.5L, 8.0L,  0,     0,     200.0L, 300.0L};
}

template <typename Fixture>
class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStore Store() { return SettingsStore(fixture_.backend()); }
  SettingsStore LaterStore() { return SettingsStore(fixture_.Reopened()); }

  void WriteAll(const SettingsRecord& record, std::initializer_list<std::string_view> skip = {}) {
    auto key = SettingsKey::OpenForWriting(fixture_.backend());
    ASSERT_TRUE(key.has_value());
    for (const Field& field : kFields) {
      if (std::find(skip.begin(), skip.end(), field.name) == skip.end()) {
        field.write(*key, field.name, record);
      }
    }
  }
  QueryResult Raw(std::string_view name) {
    auto key = fixture_.Reopened().OpenKey(kSettingsKeyPath, KeyAccess::kRead);
    if (!key) return {};
    return key->QueryValue(name, 1024);
  }
  bool KeyExists() {
    return fixture_.Reopened().OpenKey(kSettingsKeyPath, KeyAccess::kRead) != nullptr;
  }

  Fixture fixture_;
};
TYPED_TEST_SUITE(SettingsStoreTest, BackendFixtures, FixtureNames);

TYPED_TEST(SettingsStoreTest, FirstStartWithoutKeyTakesFactoryDefaults) {
  SettingsRecord record = Previous();
  this->Store().LoadSettings(record);

  SettingsRecord expected;
  SetFactoryDefaults(expected);
  EXPECT_EQ(record, expected);
  EXPECT_EQ(record.copies, 0.0L);
  EXPECT_EQ(record.papersize, 2);
  EXPECT_FALSE(this->KeyExists());
  EXPECT_TRUE(this->fixture_.AllAccessEnded());
}

// Values missing from a key that exists were never sent: they read as the
// factory settings a first start shows, not as other values.
TYPED_TEST(SettingsStoreTest, KeyWithoutValuesTakesFactoryDefaults) {
  ASSERT_NE(this->fixture_.backend().CreateKey(kSettingsKeyPath), nullptr);
  SettingsRecord record = Previous();
  this->Store().LoadSettings(record);
  EXPECT_EQ(record.papersize, 2);
  EXPECT_EQ(record.lpi, 64.0L);
  EXPECT_EQ(record.density, 0);
}

TYPED_TEST(SettingsStoreTest, EachValueIsLoadedOrDefaultedByItself) {
  this->WriteAll(Stored(), {"R_y", "R_lpi", "R_density"});
  SettingsRecord expected = Stored();
  expected.y = 0;
  expected.lpi = 64.0L;
  expected.density = 0;

  SettingsRecord record = Previous();
  this->Store().LoadSettings(record);
  EXPECT_EQ(record, expected);

  // A reload reads the same and keeps its flag.
  record = Previous();
  record.reload = true;
  this->Store().LoadSettings(record);
  expected.reload = true;
  EXPECT_EQ(record, expected);
}

// A bad value stops the load there: earlier fields hold what was read, that
// field and all later ones the factory settings. The first, a middle and the
// last value; which data is bad, and the texts, are the key's.
TYPED_TEST(SettingsStoreTest, BadValueStopsTheLoadAtThatValue) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"R_copies", reg_type::kBinary, {0, 0, 0x80, 0x3f}, "Invalid data type for 'R_copies'"},
      {"R_x", reg_type::kSz, Bytes("123", true), "Invalid data type for 'R_x'"},
      {"R_height", reg_type::kDword, DwordBytes(356), "Invalid data type for 'R_height'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " / " + c.message);
    this->WriteAll(Stored());
    PutRaw(this->fixture_.backend(), kSettingsKeyPath, c.name, c.type, c.data);

    SettingsRecord expected;
    SetFactoryDefaults(expected);
    for (const Field& field : kFields) {
      if (std::string_view(field.name) == c.name) break;
      field.copy(expected, Stored());
    }
    SettingsRecord record = Previous();
    try {
      this->Store().LoadSettings(record);
      ADD_FAILURE() << "no error";
    } catch (const RegistryError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(record, expected);
    EXPECT_TRUE(this->fixture_.AllAccessEnded());
  }
}

// Every setting: nothing is written while its value equals the record; once
// it differs, its own value is written with its own type.
TYPED_TEST(SettingsStoreTest, StoreSettingWritesOnlyAChangedValue) {
  struct Case {
    Setting setting;
    const char* name;
    SettingValue changed;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  using I = std::int32_t;
  const std::uint32_t kD = reg_type::kDword;
  const std::uint32_t kB = reg_type::kBinary;
  const std::vector<Case> cases = {
      {Setting::Baudrate, "R_baudrate", I{8}, kD, DwordBytes(8)},
      {Setting::Timeout, "R_timeout", 250.0L, kB, DoubleBytes(250)},
      {Setting::Powersave, "R_powersave", I{1}, kD, DwordBytes(1)},
      {Setting::Autocont, "R_autocont", true, kD, DwordBytes(1)},
      {Setting::Jamrecover, "R_jamrecover", true, kD, DwordBytes(1)},
      {Setting::Robust, "R_robust", true, kD, DwordBytes(1)},
      {Setting::Papersize, "R_papersize", I{12}, kD, DwordBytes(12)},
      {Setting::Source, "R_source", I{3}, kD, DwordBytes(3)},
      {Setting::Lpi, "R_lpi", 72.0L, kB, DoubleBytes(72)},
      {Setting::Copies, "R_copies", 5.0L, kB, DoubleBytes(5)},
      {Setting::Orientation, "R_orientation", false, kD, DwordBytes(0)},
      {Setting::Papertype, "R_papertype", I{1}, kD, DwordBytes(1)},
      {Setting::Typeface, "R_typeface", I{50}, kD, DwordBytes(50)},
      {Setting::Symbol, "R_symbol", I{35}, kD, DwordBytes(35)},
      {Setting::Pitch, "R_pitch", 12.25L, kB, DoubleBytes(12.25)},
      {Setting::Point, "R_point", 10.5L, kB, DoubleBytes(10.5)},
      {Setting::Density, "R_density", I{1}, kD, DwordBytes(1)},
      {Setting::Economode, "R_economode", I{1}, kD, DwordBytes(1)},
  };
  ASSERT_EQ(cases.size(), static_cast<std::size_t>(kSettingCount));
  ASSERT_NE(this->fixture_.backend().CreateKey(kSettingsKeyPath), nullptr);

  SettingsRecord record;
  SetFactoryDefaults(record);
  const SettingsRecord factory = record;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    this->Store().StoreSetting(c.setting, RecordValue(c.setting, record), record);
    EXPECT_EQ(this->Raw(c.name).status, QueryStatus::kNotFound);
    this->Store().StoreSetting(c.setting, c.changed, record);
    const QueryResult raw = this->Raw(c.name);
    EXPECT_EQ(raw.type, c.type);
    EXPECT_EQ(raw.data, c.data);
  }
  // Only the orientation store changes the record.
  SettingsRecord expected = factory;
  expected.orientation = false;
  EXPECT_EQ(record, expected);
}

// A value of another kind than the setting's is refused before the key is
// written, by a single store and by the store of all settings.
TYPED_TEST(SettingsStoreTest, ValueOfTheWrongKindWritesNothing) {
  SettingsRecord record = LoadDefaults();
  EXPECT_THROW(this->Store().StoreSetting(Setting::Lpi, std::int32_t{64}, record),
               std::invalid_argument);
  EXPECT_THROW(this->Store().StoreSetting(Setting::Orientation, 1.0L, record),
               std::invalid_argument);
  SettingValues values;
  for (int i = 0; i < kSettingCount; ++i) {
    values[static_cast<std::size_t>(i)] = RecordValue(static_cast<Setting>(i), record);
  }
  values[static_cast<std::size_t>(Setting::Economode)] = true;
  EXPECT_THROW(this->Store().StoreAllSettings(values), std::invalid_argument);
  EXPECT_FALSE(this->KeyExists());
  EXPECT_EQ(record, LoadDefaults());
  EXPECT_TRUE(this->fixture_.AllAccessEnded());
}

TYPED_TEST(SettingsStoreTest, FloatingValuesCompareAtFullPrecision) {
  SettingsRecord record = LoadDefaults();
  // Equal as doubles, different as extended values.
  record.lpi = std::nextafter(60.0L, 61.0L);
  this->Store().StoreSetting(Setting::Lpi, 60.0L, record);
  EXPECT_EQ(this->Raw("R_lpi").data, DoubleBytes(60.0));
}

TYPED_TEST(SettingsStoreTest, WidthAndHeightAreStoredWhenTheyDiffer) {
  SettingsRecord record = LoadDefaults();
  this->Store().StoreWidth(150, record);
  this->Store().StoreHeight(record.height, record);
  EXPECT_EQ(this->Raw("R_width").data, DoubleBytes(150));
  EXPECT_EQ(this->Raw("R_height").status, QueryStatus::kNotFound);
  this->Store().StoreHeight(250, record);
  EXPECT_EQ(this->Raw("R_height").data, DoubleBytes(250));
  EXPECT_EQ(record, LoadDefaults());
}

// Every one of the eighteen is written, whether or not it differs from what
// the key holds; the position and the custom size are left alone.
TYPED_TEST(SettingsStoreTest, StoreAllWritesTheEighteenSettings) {
  this->WriteAll(Stored());
  SettingsRecord factory = Stored();
  SetFactoryDefaults(factory);
  SettingValues values;
  for (int i = 0; i < kSettingCount; ++i) {
    values[static_cast<std::size_t>(i)] = RecordValue(static_cast<Setting>(i), factory);
  }
  values[static_cast<std::size_t>(Setting::Copies)] = 1.0L;
  this->Store().StoreAllSettings(values);

  EXPECT_EQ(this->Raw("R_copies").data, DoubleBytes(1.0));
  EXPECT_EQ(this->Raw("R_papersize").data, DwordBytes(2));
  EXPECT_EQ(this->Raw("R_lpi").data, DoubleBytes(64.0));
  EXPECT_EQ(this->Raw("R_density").data, DwordBytes(0));
  EXPECT_EQ(this->Raw("R_orientation").data, DwordBytes(1));
  EXPECT_EQ(this->Raw("R_x").data, DwordBytes(11));
  EXPECT_EQ(this->Raw("R_y").data, DwordBytes(-22));
  EXPECT_EQ(this->Raw("R_width").data, DoubleBytes(150));
  EXPECT_EQ(this->Raw("R_height").data, DoubleBytes(250));

  SettingsRecord later = Previous();
  this->LaterStore().LoadSettings(later);
  SettingsRecord expected = factory;
  expected.copies = 1.0L;
  expected.width = Stored().width;
  expected.height = Stored().height;
  EXPECT_EQ(later, expected);
}

TYPED_TEST(SettingsStoreTest, WindowPositionIsStoredAndRestored) {
  SettingsRecord record = LoadDefaults();
  this->Store().StoreWindowPosition(-30, 40, record);
  EXPECT_EQ(record.x, -30);
  EXPECT_EQ(record.y, 40);
  EXPECT_EQ(this->Raw("R_x").data, DwordBytes(-30));

  SettingsRecord fresh;
  this->LaterStore().LoadSettings(fresh);
  EXPECT_EQ(fresh.x, -30);
  EXPECT_EQ(fresh.y, 40);
}

TYPED_TEST(SettingsStoreTest, ReadOnlyUserLoadsButStoresNothing) {
  this->WriteAll(Stored());
  this->fixture_.RunAs(UserAccess::kReadOnly, [&] {
    SettingsStore store(this->fixture_.Reopened());
    SettingsRecord record;
    store.LoadSettings(record);
    EXPECT_EQ(record, Stored());

    SettingsRecord changed = LoadDefaults();
    SetFactoryDefaults(changed);
    SettingValues values;
    for (int i = 0; i < kSettingCount; ++i) {
      const auto setting = static_cast<Setting>(i);
      values[static_cast<std::size_t>(i)] = RecordValue(setting, changed);
      store.StoreSetting(setting, RecordValue(setting, changed), record);
    }
    store.StoreWidth(changed.width, record);
    store.StoreHeight(changed.height, record);
    store.StoreAllSettings(values);
    store.StoreWindowPosition(1, 2, record);
    EXPECT_EQ(record, Stored());  // not even the orientation or the position

    SettingsRecord reloaded;
    store.LoadSettings(reloaded);
    EXPECT_EQ(reloaded, Stored());
  });
}

// The printer port's value: what the port tool stores is what the window
// loads; none, or an empty one, is the built-in port; a value of another
// type is a registry error; a user who may not write stores nothing.
TYPED_TEST(SettingsStoreTest, PortValueRoundTrip) {
  const SettingsStore store = this->Store();
  EXPECT_EQ(store.LoadPort(), "");  // no key yet
  ASSERT_TRUE(store.StorePort("socket://[::1]:9100"));
  EXPECT_EQ(this->LaterStore().LoadPort(), "socket://[::1]:9100");
  EXPECT_EQ(this->Raw("Port").type, reg_type::kSz);
  ASSERT_TRUE(store.StorePort(""));
  EXPECT_EQ(store.LoadPort(), "");
  ASSERT_TRUE(store.StorePort("cups://Laser"));
  ASSERT_TRUE(store.RemovePort());
  EXPECT_FALSE(this->Raw("Port").status == QueryStatus::kSuccess);
  EXPECT_TRUE(store.RemovePort()) << "removing what is not there";

  PutRaw(this->fixture_.backend(), kSettingsKeyPath, "Port", reg_type::kDword, {1, 0, 0, 0});
  try {
    store.LoadPort();
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_STREQ(e.what(), "Invalid data type for 'Port'");
  }

  ASSERT_TRUE(store.StorePort("/dev/usb/lp0"));
  this->fixture_.RunAs(UserAccess::kReadOnly, [&] {
    const SettingsStore reader(this->fixture_.Reopened());
    EXPECT_EQ(reader.LoadPort(), "/dev/usb/lp0");
    EXPECT_FALSE(reader.StorePort("/dev/lp1"));
    EXPECT_FALSE(reader.RemovePort());
  });
  EXPECT_EQ(this->LaterStore().LoadPort(), "/dev/usb/lp0");
  // Settings this user may not read are not settings without a port.
  this->fixture_.RunAs(UserAccess::kNone, [&] {
    EXPECT_THROW(SettingsStore(this->fixture_.Reopened()).LoadPort(), RegistryError);
  });
}

TYPED_TEST(SettingsStoreTest, RefusedWriteRaisesAndEndsTheAccess) {
  SettingsRecord record = LoadDefaults();
  ASSERT_NE(this->fixture_.backend().CreateKey(kSettingsKeyPath), nullptr);
  this->fixture_.RefuseWrites();
  try {
    this->Store().StoreSetting(Setting::Lpi, 64.0L, record);
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'R_lpi'");
  }
  EXPECT_TRUE(this->fixture_.AllAccessEnded());
  EXPECT_THROW(this->Store().StoreWindowPosition(1, 2, record), RegistryError);
  EXPECT_TRUE(this->fixture_.AllAccessEnded());
}

#ifndef _WIN32
// Two members of the folder's group store one after the other, under either
// umask: the second one reads what the first stored, her own store lands in
// the file, and the next start (of the first one, and of a user outside the
// group) shows both.
TEST(SharedSettingsFolder, EveryGroupMemberStoresWhateverTheUmask) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as two users";
  constexpr gid_t kGroup = 4100;
  for (const auto& [first_mask, second_mask] : {std::pair{022, 077}, std::pair{077, 022}}) {
    TempDir root("zelora-shared-");
    std::filesystem::permissions(root.path(), static_cast<std::filesystem::perms>(0755));
    const std::filesystem::path folder = root / "zelora";
    ASSERT_EQ(::mkdir(folder.c_str(), 0), 0);
    ASSERT_EQ(::chown(folder.c_str(), 0, kGroup), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 02775), 0);
    const OrdinaryUser first{4101, kGroup, static_cast<mode_t>(first_mask)};
    const OrdinaryUser second{4102, kGroup, static_cast<mode_t>(second_mask)};
    const auto store = [&](Setting setting, long double value) {
      HiveFileRegistry hive(folder);
      SettingsRecord record;
      SettingsStore(hive).LoadSettings(record);
      SettingsStore(hive).StoreSetting(setting, value, record);
    };
    const auto next_start = [&] {
      HiveFileRegistry hive(folder);
      SettingsRecord record;
      SettingsStore(hive).LoadSettings(record);
      EXPECT_EQ(record.copies, 3.0L) << first_mask << " then " << second_mask;
      EXPECT_EQ(record.lpi, 50.0L) << first_mask << " then " << second_mask;
    };
    RunAsUser(first, [&] { store(Setting::Copies, 3); });
    RunAsUser(second, [&] {
      HiveFileRegistry hive(folder);
      SettingsRecord record;
      SettingsStore(hive).LoadSettings(record);
      EXPECT_EQ(record.copies, 3.0L) << "the second user sees the first one's store";
      store(Setting::Lpi, 50);
    });
    RunAsUser(first, next_start);
    RunUnprivileged(next_start);
    // Whoever could open the lock could hold it and stop every store.
    EXPECT_EQ(std::filesystem::status(folder / "HKEY_LOCAL_MACHINE.reg.lock").permissions() &
                  std::filesystem::perms::others_all,
              std::filesystem::perms::none);
  }
}
#endif

TEST(SettingsStoreOrder, StoreAllWritesInSettingOrderAndEndsEveryAccess) {
  MemoryRegistry registry;
  SettingsRecord record;
  SetFactoryDefaults(record);
  SettingValues values;
  for (int i = 0; i < kSettingCount; ++i) {
    values[static_cast<std::size_t>(i)] = RecordValue(static_cast<Setting>(i), record);
  }
  SettingsStore(registry).StoreAllSettings(values);
  EXPECT_EQ(registry.WriteLog(),
            (std::vector<std::string>{
                "R_baudrate", "R_timeout", "R_powersave", "R_autocont", "R_jamrecover", "R_robust",
                "R_papersize", "R_source", "R_lpi", "R_copies", "R_orientation", "R_papertype",
                "R_typeface", "R_symbol", "R_pitch", "R_point", "R_density", "R_economode"}));
  EXPECT_EQ(registry.OpenKeyCount(), 0);
}

}  // namespace
}  // namespace zelora::testing
