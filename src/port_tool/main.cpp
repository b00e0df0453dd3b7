// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zelora-port: shows and chooses the printer port of Zelora's settings.
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#include "port_tool.h"
#include "registry_backend.h"
#ifndef _WIN32
#include "hive_file_registry.h"
#endif

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
#ifdef _WIN32
  const std::unique_ptr<zelora::RegistryBackend> registry = zelora::MakePlatformRegistry();
  zelora::RegistryBackend& settings = *registry;
  const zelora::PortSurroundings surroundings = zelora::WindowsSurroundings();
#else
  zelora::HiveFileRegistry settings;
  const zelora::PortSurroundings surroundings =
      zelora::SystemSurroundings(settings.file().string());
#endif
  const int status = zelora::RunPortTool(args, settings, surroundings, std::cout, std::cerr);
  std::cout.flush();
  return std::cout ? status : zelora::kPortToolOutputError;
}
