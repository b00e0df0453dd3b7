// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Files the tests read back, and on POSIX a temporary directory to put them in.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <random>
#else
#include <stdlib.h>
#endif

namespace zelora::testing {

// The whole file, byte for byte; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh directory "<prefix>XXXXXX" in the temporary directory, removed with
// everything in it on destruction.
class TempDir {
 public:
  explicit TempDir(const char* prefix = "zelora-test-") {
    std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "XXXXXX";
#ifdef _WIN32
    // No mkdtemp: a random name, taken only if nobody has it yet.
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
      const std::string candidate =
          pattern.substr(0, pattern.size() - 6) + std::to_string(random());
      if (std::filesystem::create_directory(candidate)) path_ = candidate;
    }
    if (path_.empty()) throw std::runtime_error("no temporary directory");
#else
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
#endif
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const char* name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Makes a directory the current one for its own lifetime.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::filesystem::path& directory)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(directory);
  }
  ~ScopedCurrentDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
  ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace zelora::testing
