// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target once on every file of the directories given, so that the
// committed corpus and every input that ever found a fault are checked on each
// normal build, without the fuzzing engine. The first directory (the corpus)
// must hold at least one input; a missing directory is an error, so that a
// mistyped path cannot pass quietly. Files whose names start with a dot are
// not inputs.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <corpus dir> [more dirs...]\n", argv[0]);
    return 2;
  }
  for (int i = 1; i < argc; ++i) {
    std::error_code error;
    if (!fs::is_directory(argv[i], error)) {
      std::fprintf(stderr, "%s: not a directory\n", argv[i]);
      return 2;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(argv[i])) {
      if (entry.is_regular_file() && !entry.path().filename().string().starts_with('.')) {
        files.push_back(entry.path());
      }
    }
    if (i == 1 && files.empty()) {
      std::fprintf(stderr, "%s: the corpus is empty\n", argv[i]);
      return 2;
    }
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      // A copy of exactly the input's size, so that a read past its end is
      // seen by the address sanitizer of a sanitizer build.
      std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
      LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    std::printf("%s: %zu inputs\n", argv[i], files.size());
  }
  return 0;
}
