#pragma once

// Files the tests read back, and on POSIX a temporary directory to put them in.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <stdlib.h>

#include <stdexcept>
#include <system_error>
#endif

namespace zelora::testing {

// The whole file, byte for byte; empty when it cannot be read.
inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

#ifndef _WIN32
// A fresh directory "<prefix>XXXXXX" in the temporary directory, removed with
// everything in it on destruction.
class TempDir {
 public:
  explicit TempDir(const char* prefix = "zelora-test-") {
    std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
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
#endif

}  // namespace zelora::testing
