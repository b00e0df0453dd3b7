// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bytes the stream benchmarks send: the demonstration file repeated to a
// quarter of a megabyte, so that a run is long against its own start.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace zelora::bench {

// nullopt (and a message) when the file cannot be read or is empty.
inline std::optional<std::string> StreamBytes(const std::string& source) {
  std::ifstream in(source, std::ios::binary);
  const std::string demo{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (demo.empty()) {
    std::fprintf(stderr, "cannot read %s\n", source.c_str());
    return std::nullopt;
  }
  std::string bytes;
  while (bytes.size() < (256u << 10)) bytes += demo;
  return bytes;
}

}  // namespace zelora::bench
