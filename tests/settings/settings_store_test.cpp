// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the record from the settings key and storing controls into it.

#include "settings_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <type_traits>

#include "backend_fixtures.h"
#include "control_transfer.h"
#include "settings_key.h"
#include "support/fake_controls.h"

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
  SettingsRecord record;
  FakeControls controls;
  this->Store().LoadSettings(record, controls, Push);

  SettingsRecord expected;
  SetFactoryDefaults(expected);
  EXPECT_EQ(record, expected);
  EXPECT_EQ(record.copies, 0.0L);
  EXPECT_EQ(controls.SpinText(Control::SpinCopies), "1");
  EXPECT_EQ(controls.SpinValue(Control::SpinCopies), 1.0L);
  EXPECT_EQ(controls.ItemIndex(Control::ComPapersize), 2);
  EXPECT_EQ(controls.WindowLeft(), 0);
  EXPECT_EQ(controls.WindowTop(), 0);
  EXPECT_FALSE(this->KeyExists());
}

TYPED_TEST(SettingsStoreTest, KeyWithoutValuesTakesLoadDefaults) {
  ASSERT_NE(this->fixture_.backend().CreateKey(kSettingsKeyPath), nullptr);
  SettingsRecord record = Previous();
  FakeControls controls;
  this->Store().LoadSettings(record, controls, Push);
  EXPECT_EQ(record, LoadDefaults());
  EXPECT_EQ(controls.ItemIndex(Control::ComPapersize), 0);
  EXPECT_EQ(controls.SpinValue(Control::SpinLpi), 60.0L);
  EXPECT_EQ(controls.ItemIndex(Control::GrpDensity), 1);
}

TYPED_TEST(SettingsStoreTest, EachValueIsLoadedOrDefaultedByItself) {
  this->WriteAll(Stored(), {"R_y", "R_lpi", "R_density"});
  SettingsRecord expected = Stored();
  expected.y = 0;
  expected.lpi = 60.0L;
  expected.density = 1;

  SettingsRecord record = Previous();
  FakeControls controls;
  this->Store().LoadSettings(record, controls, Push);
  EXPECT_EQ(record, expected);
  EXPECT_EQ(controls.ItemIndex(Control::ComPapersize), 12);
  EXPECT_EQ(controls.WindowLeft(), 11);
  EXPECT_EQ(controls.WindowTop(), 0);

  // Reload: the same load and push, but the window stays where it is.
  controls.SetWindowLeft(500);
  controls.SetItemIndex(Control::ComPapersize, 0);
  record = Previous();
  record.reload = true;
  this->Store().LoadSettings(record, controls, Push);
  expected.reload = true;
  EXPECT_EQ(record, expected);
  EXPECT_EQ(controls.ItemIndex(Control::ComPapersize), 12);
  EXPECT_EQ(controls.WindowLeft(), 500);
}

// A bad value stops the load there: earlier fields hold what was read, that
// field and all later ones keep their contents, no push, no move.
TYPED_TEST(SettingsStoreTest, BadValueStopsTheLoadAtThatValue) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"R_timeout", reg_type::kDword, DwordBytes(20), "Invalid data type for 'R_timeout'"},
      {"R_copies", reg_type::kBinary, {0, 0, 0x80, 0x3f}, "Invalid data type for 'R_copies'"},
      {"R_pitch", reg_type::kBinary, std::vector<std::uint8_t>(10),
       "Failed to get data for 'R_pitch'"},
      {"R_x", reg_type::kSz, Bytes("123", true), "Invalid data type for 'R_x'"},
      {"R_x", reg_type::kSz, Bytes("1234", true), "Failed to get data for 'R_x'"},
      {"R_height", reg_type::kDword, DwordBytes(356), "Invalid data type for 'R_height'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " / " + c.message);
    this->WriteAll(Stored());
    PutRaw(this->fixture_.backend(), kSettingsKeyPath, c.name, c.type, c.data);

    SettingsRecord expected = Previous();
    for (const Field& field : kFields) {
      if (std::string_view(field.name) == c.name) break;
      field.copy(expected, Stored());
    }
    SettingsRecord record = Previous();
    FakeControls controls;
    try {
      this->Store().LoadSettings(record, controls, Push);
      ADD_FAILURE() << "no error";
    } catch (const RegistryError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(record, expected);
    EXPECT_TRUE(controls.log.empty()) << "pushed or moved: " << controls.log.front();
    EXPECT_TRUE(this->fixture_.AllAccessEnded());
  }
}

TYPED_TEST(SettingsStoreTest, EmptySelectionIsStoredAsAllOnesAndLoadsBack) {
  SettingsRecord record = LoadDefaults();
  FakeControls controls;
  Push(record, controls);
  controls.SetItemIndex(Control::ListTypeface, -1);
  this->Store().StoreSetting(Setting::Typeface, controls, record);
  EXPECT_EQ(this->Raw("R_typeface").data, (std::vector<std::uint8_t>{0xff, 0xff, 0xff, 0xff}));

  this->LaterStore().LoadSettings(record, controls, Push);
  EXPECT_EQ(record.typeface, -1);
}

// 0.44 is not a double: the key gives back the nearest double, while the field
// reads its text "0.44" as the nearest extended value, so the two differ.
TYPED_TEST(SettingsStoreTest, DecimalPitchComesBackAsTheNearestDouble) {
  SettingsRecord record = LoadDefaults();
  FakeControls controls;
  Push(record, controls);
  controls.SetSpinValue(Control::SpinPitch, 0.44L);
  controls.SetSpinValue(Control::SpinPoint, 12.25L);
  this->Store().StoreSetting(Setting::Pitch, controls, record);
  this->Store().StoreSetting(Setting::Point, controls, record);

  FakeControls later;
  this->LaterStore().LoadSettings(record, later, Push);
  EXPECT_EQ(later.SpinText(Control::SpinPitch), "0.44");
  EXPECT_EQ(record.pitch, static_cast<long double>(0.44));
  EXPECT_EQ(later.SpinValue(Control::SpinPitch), 0.44L);
  EXPECT_NE(later.SpinValue(Control::SpinPitch), record.pitch);
  EXPECT_EQ(later.SpinValue(Control::SpinPoint), record.point);
}

// Every setting: nothing is written while its control equals the record; once
// it differs, its own value is written with its own type.
TYPED_TEST(SettingsStoreTest, StoreSettingWritesOnlyAChangedControl) {
  struct Case {
    Setting setting;
    const char* name;
    std::function<void(FakeControls&)> change;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  using C = Control;
  auto index = [](C c, int i) { return [=](FakeControls& f) { f.SetItemIndex(c, i); }; };
  auto check = [](C c) { return [=](FakeControls& f) { f.SetChecked(c, true); }; };
  auto spin = [](C c, long double v) { return [=](FakeControls& f) { f.SetSpinValue(c, v); }; };
  const std::uint32_t kD = reg_type::kDword;
  const std::uint32_t kB = reg_type::kBinary;
  const std::vector<Case> cases = {
      {Setting::Baudrate, "R_baudrate", index(C::ComBaudrate, 8), kD, DwordBytes(8)},
      {Setting::Timeout, "R_timeout", spin(C::SpinTimeout, 250), kB, DoubleBytes(250)},
      {Setting::Powersave, "R_powersave", index(C::ComPowersave, 1), kD, DwordBytes(1)},
      {Setting::Autocont, "R_autocont", check(C::ChkAutocont), kD, DwordBytes(1)},
      {Setting::Jamrecover, "R_jamrecover", check(C::ChkJamrecover), kD, DwordBytes(1)},
      {Setting::Robust, "R_robust", check(C::ChkRobust), kD, DwordBytes(1)},
      {Setting::Papersize, "R_papersize", index(C::ComPapersize, 12), kD, DwordBytes(12)},
      {Setting::Source, "R_source", index(C::ComSource, 3), kD, DwordBytes(3)},
      {Setting::Lpi, "R_lpi", spin(C::SpinLpi, 72), kB, DoubleBytes(72)},
      {Setting::Copies, "R_copies", spin(C::SpinCopies, 5), kB, DoubleBytes(5)},
      {Setting::Orientation, "R_orientation", check(C::BtnLandscape), kD, DwordBytes(0)},
      {Setting::Papertype, "R_papertype", index(C::GrpPapertype, 1), kD, DwordBytes(1)},
      {Setting::Typeface, "R_typeface", index(C::ListTypeface, 50), kD, DwordBytes(50)},
      {Setting::Symbol, "R_symbol", index(C::ListSymbol, 35), kD, DwordBytes(35)},
      {Setting::Pitch, "R_pitch", spin(C::SpinPitch, 12.25L), kB, DoubleBytes(12.25)},
      {Setting::Point, "R_point", spin(C::SpinPoint, 10.5L), kB, DoubleBytes(10.5)},
      {Setting::Density, "R_density", index(C::GrpDensity, 1), kD, DwordBytes(1)},
      {Setting::Economode, "R_economode", index(C::GrpEconomode, 1), kD, DwordBytes(1)},
  };
  ASSERT_EQ(cases.size(), static_cast<std::size_t>(kSettingCount));
  ASSERT_NE(this->fixture_.backend().CreateKey(kSettingsKeyPath), nullptr);

  SettingsRecord record;
  SetFactoryDefaults(record);
  const SettingsRecord factory = record;
  FakeControls controls;
  Push(record, controls);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    this->Store().StoreSetting(c.setting, controls, record);
    if (c.setting == Setting::Copies) {
      // The field shows its minimum 1 while the record holds 0.0.
      EXPECT_EQ(this->Raw(c.name).data, DoubleBytes(1.0));
    } else {
      EXPECT_EQ(this->Raw(c.name).status, QueryStatus::kNotFound);
    }
    c.change(controls);
    this->Store().StoreSetting(c.setting, controls, record);
    const QueryResult raw = this->Raw(c.name);
    EXPECT_EQ(raw.type, c.type);
    EXPECT_EQ(raw.data, c.data);
  }
  // Only the orientation store changes the record.
  SettingsRecord expected = factory;
  expected.orientation = false;
  EXPECT_EQ(record, expected);
}

TYPED_TEST(SettingsStoreTest, FloatingValuesCompareAtFullPrecision) {
  SettingsRecord record = LoadDefaults();
  FakeControls controls;
  Push(record, controls);
  // Equal as doubles, different as extended values.
  record.lpi = std::nextafter(60.0L, 61.0L);
  this->Store().StoreSetting(Setting::Lpi, controls, record);
  EXPECT_EQ(this->Raw("R_lpi").data, DoubleBytes(60.0));
}

TYPED_TEST(SettingsStoreTest, WidthAndHeightAreStoredWhenTheyDiffer) {
  SettingsRecord record = LoadDefaults();
  FakeControls controls;
  Push(record, controls);
  controls.SetSpinValue(Control::RxSpinEdit1, 150);
  this->Store().StoreWidth(controls, record);
  this->Store().StoreHeight(controls, record);
  EXPECT_EQ(this->Raw("R_width").data, DoubleBytes(150));
  EXPECT_EQ(this->Raw("R_height").status, QueryStatus::kNotFound);
  controls.SetSpinValue(Control::RxSpinEdit2, 250);
  this->Store().StoreHeight(controls, record);
  EXPECT_EQ(this->Raw("R_height").data, DoubleBytes(250));
  EXPECT_EQ(record, LoadDefaults());
}

// Restore factory defaults stores what the controls show: copies clamped to 1.
TYPED_TEST(SettingsStoreTest, StoreAllWritesTheEighteenSettingsFromTheControls) {
  this->WriteAll(Stored());
  SettingsRecord record = Stored();
  SetFactoryDefaults(record);
  FakeControls controls;
  Push(record, controls);
  this->Store().StoreAllSettings(controls);

  EXPECT_EQ(record.copies, 0.0L);
  EXPECT_EQ(this->Raw("R_copies").data, DoubleBytes(1.0));
  EXPECT_EQ(this->Raw("R_papersize").data, DwordBytes(2));
  EXPECT_EQ(this->Raw("R_lpi").data, DoubleBytes(64.0));
  EXPECT_EQ(this->Raw("R_density").data, DwordBytes(0));
  EXPECT_EQ(this->Raw("R_orientation").data, DwordBytes(1));
  EXPECT_EQ(this->Raw("R_x").data, DwordBytes(11));
  EXPECT_EQ(this->Raw("R_y").data, DwordBytes(-22));
  EXPECT_EQ(this->Raw("R_width").data, DoubleBytes(150));
  EXPECT_EQ(this->Raw("R_height").data, DoubleBytes(250));
}

TYPED_TEST(SettingsStoreTest, WindowPositionIsStoredAndRestored) {
  SettingsRecord record = LoadDefaults();
  FakeControls controls;
  controls.SetWindowLeft(-30);
  controls.SetWindowTop(40);
  this->Store().StoreWindowPosition(controls, record);
  EXPECT_EQ(record.x, -30);
  EXPECT_EQ(record.y, 40);
  EXPECT_EQ(this->Raw("R_x").data, DwordBytes(-30));

  FakeControls later;
  SettingsRecord fresh;
  this->LaterStore().LoadSettings(fresh, later, Push);
  EXPECT_EQ(later.WindowLeft(), -30);
  EXPECT_EQ(later.WindowTop(), 40);
}

TYPED_TEST(SettingsStoreTest, ReadOnlyUserLoadsButStoresNothing) {
  this->WriteAll(Stored());
  this->fixture_.RunAs(UserAccess::kReadOnly, [&] {
    SettingsStore store(this->fixture_.Reopened());
    SettingsRecord record;
    FakeControls controls;
    store.LoadSettings(record, controls, Push);
    EXPECT_EQ(record, Stored());

    SettingsRecord changed = LoadDefaults();
    SetFactoryDefaults(changed);
    Push(changed, controls);
    controls.SetWindowLeft(1);
    for (int i = 0; i < kSettingCount; ++i) {
      store.StoreSetting(static_cast<Setting>(i), controls, record);
    }
    store.StoreWidth(controls, record);
    store.StoreHeight(controls, record);
    store.StoreAllSettings(controls);
    store.StoreWindowPosition(controls, record);
    EXPECT_EQ(record, Stored());  // not even the orientation or the position

    SettingsRecord reloaded;
    store.LoadSettings(reloaded, controls, Push);
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
}

TYPED_TEST(SettingsStoreTest, RefusedWriteRaisesAndEndsTheAccess) {
  SettingsRecord record = LoadDefaults();
  FakeControls controls;
  Push(record, controls);
  ASSERT_NE(this->fixture_.backend().CreateKey(kSettingsKeyPath), nullptr);
  this->fixture_.RefuseWrites();
  controls.SetSpinValue(Control::SpinLpi, 64);
  try {
    this->Store().StoreSetting(Setting::Lpi, controls, record);
    ADD_FAILURE() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'R_lpi'");
  }
  EXPECT_TRUE(this->fixture_.AllAccessEnded());
  EXPECT_THROW(this->Store().StoreWindowPosition(controls, record), RegistryError);
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
    const auto store = [&](Control control, long double value, Setting setting) {
      HiveFileRegistry hive(folder);
      SettingsRecord record;
      FakeControls controls;
      SettingsStore(hive).LoadSettings(record, controls, Push);
      controls.SetSpinValue(control, value);
      SettingsStore(hive).StoreSetting(setting, controls, record);
    };
    const auto next_start = [&] {
      HiveFileRegistry hive(folder);
      SettingsRecord record;
      FakeControls controls;
      SettingsStore(hive).LoadSettings(record, controls, Push);
      EXPECT_EQ(record.copies, 3.0L) << first_mask << " then " << second_mask;
      EXPECT_EQ(record.lpi, 50.0L) << first_mask << " then " << second_mask;
    };
    RunAsUser(first, [&] { store(Control::SpinCopies, 3, Setting::Copies); });
    RunAsUser(second, [&] {
      HiveFileRegistry hive(folder);
      SettingsRecord record;
      FakeControls controls;
      SettingsStore(hive).LoadSettings(record, controls, Push);
      EXPECT_EQ(record.copies, 3.0L) << "the second user sees the first one's store";
      store(Control::SpinLpi, 50, Setting::Lpi);
    });
    RunAsUser(first, next_start);
    RunUnprivileged(next_start);
  }
}
#endif

TEST(SettingsStoreOrder, StoreAllWritesInSettingOrderAndEndsEveryAccess) {
  MemoryRegistry registry;
  SettingsRecord record;
  SetFactoryDefaults(record);
  FakeControls controls;
  Push(record, controls);
  SettingsStore(registry).StoreAllSettings(controls);
  EXPECT_EQ(registry.WriteLog(),
            (std::vector<std::string>{
                "R_baudrate", "R_timeout", "R_powersave", "R_autocont", "R_jamrecover", "R_robust",
                "R_papersize", "R_source", "R_lpi", "R_copies", "R_orientation", "R_papertype",
                "R_typeface", "R_symbol", "R_pitch", "R_point", "R_density", "R_economode"}));
  EXPECT_EQ(registry.OpenKeyCount(), 0);
}

}  // namespace
}  // namespace zelora::testing
