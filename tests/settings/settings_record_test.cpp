// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_record.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

// The two default sets differ in exactly paper size, lines per page and density.
TEST(SettingsDefaults, FactoryDiffersFromLoadInThreeFields) {
  SettingsRecord load = LoadDefaults();
  SettingsRecord factory = load;
  factory.x = 17;
  factory.y = -4;
  factory.reload = true;
  SetFactoryDefaults(factory);

  EXPECT_EQ(factory.x, 17);
  EXPECT_EQ(factory.y, -4);
  EXPECT_TRUE(factory.reload);
  EXPECT_EQ(load.papersize, 0);
  EXPECT_EQ(factory.papersize, 2);
  EXPECT_EQ(load.lpi, 60.0L);
  EXPECT_EQ(factory.lpi, 64.0L);
  EXPECT_EQ(load.density, 1);
  EXPECT_EQ(factory.density, 0);

  factory.x = load.x;
  factory.y = load.y;
  factory.reload = load.reload;
  factory.papersize = load.papersize;
  factory.lpi = load.lpi;
  factory.density = load.density;
  EXPECT_EQ(factory, load);
  EXPECT_EQ(load.copies, 0.0L);
  EXPECT_TRUE(load.orientation);
}

}  // namespace
}  // namespace zelora
