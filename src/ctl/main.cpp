// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// zeloractl: the window's work from a command line.
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#include "ctl.h"
#include "registry_backend.h"
#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include <filesystem>
#else
#include <unistd.h>

#include "hive_file_registry.h"
#endif

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  zelora::CtlSurroundings surroundings;
#ifdef _WIN32
  // Installed beside the program.
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  surroundings.installed_demo_file =
      (std::filesystem::path(program).parent_path() / "k4xdemo.prn").string();
  const std::unique_ptr<zelora::RegistryBackend> registry = zelora::MakePlatformRegistry();
  zelora::RegistryBackend& settings = *registry;
  surroundings.port = zelora::WindowsSurroundings();
  surroundings.progress_on_terminal = _isatty(2) != 0;
#else
  surroundings.installed_demo_file = ZELORA_INSTALLED_DEMO_FILE;
  zelora::HiveFileRegistry settings;
  surroundings.port = zelora::SystemSurroundings(settings.file().string());
  surroundings.progress_on_terminal = isatty(2) != 0;
#endif
  const int status = zelora::RunCtl(args, settings, surroundings, std::cout, std::cerr);
  std::cout.flush();
  return std::cout ? status : zelora::kCtlOutputError;
}
