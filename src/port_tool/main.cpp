// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelora-port: shows and chooses the printer port of Zelora's settings.
#include <iostream>
#include <string_view>
#include <vector>

#include "hive_file_registry.h"
#include "port_tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  zelora::HiveFileRegistry settings;
  const zelora::PortSurroundings surroundings =
      zelora::SystemSurroundings(ZELORA_PORT_DEVICE, settings.file().string());
  const int status = zelora::RunPortTool(args, settings, surroundings, std::cout, std::cerr);
  std::cout.flush();
  return std::cout ? status : zelora::kPortToolOutputError;
}
