// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time compiler for the program's resources:
//   zelora_rescomp picture <source.pxm> <output.bmp|output.ico> [--png <output.png>]
//   zelora_rescomp escapes <source.txt> <output>
// Writes nothing and exits with status 1 when the source has a mistake.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "dib_writer.h"
#include "escape_text.h"
#include "indexed_image.h"
#include "picture_source.h"
#include "png_writer.h"

namespace zelora::rescomp {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("cannot read " + path);
  return text;
}

// Writes through a temporary name so that a failed build never leaves a
// half-written file that a later build would take as up to date.
void WriteFile(const std::string& path, std::string_view bytes) {
  std::string temp = path + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::remove(temp.c_str());
      throw std::runtime_error("cannot write " + path);
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    throw std::runtime_error("cannot write " + path);
  }
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

int Usage() {
  std::cerr << "usage: zelora_rescomp picture <source> <output.bmp|output.ico> [--png <png>]\n"
               "       zelora_rescomp escapes <source> <output>\n";
  return 2;
}

int Picture(const std::vector<std::string>& args) {
  if (args.size() != 2 && !(args.size() == 4 && args[2] == "--png")) return Usage();
  const std::string& source_path = args[0];
  const std::string& output = args[1];
  try {
    PictureSource source = ParsePictureSource(ReadFile(source_path));
    std::vector<IndexedImage> images = BuildImages(source);
    bool want_ico = EndsWith(output, ".ico");
    if (want_ico != (source.format == PictureFormat::Ico) ||
        (!want_ico && !EndsWith(output, ".bmp"))) {
      throw SourceError(0, "the output name " + output + " does not match the source's format");
    }
    WriteFile(output, want_ico ? EncodeIco(images) : EncodeBmp(images.front()));
    if (args.size() == 4) {
      const IndexedImage& first = images.front();
      WriteFile(args[3], EncodePng(first.width, first.height, ToRgba(first)));
    }
  } catch (const SourceError& e) {
    std::cerr << source_path << ": error: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

int Escapes(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage();
  try {
    WriteFile(args[1], CompileEscapeText(ReadFile(args[0])));
  } catch (const SourceError& e) {
    std::cerr << args[0] << ": error: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace zelora::rescomp

int main(int argc, char** argv) {
  using namespace zelora::rescomp;
  if (argc < 2) return Usage();
  std::string command = argv[1];
  std::vector<std::string> args(argv + 2, argv + argc);
  try {
    if (command == "picture") return Picture(args);
    if (command == "escapes") return Escapes(args);
  } catch (const std::exception& e) {
    std::cerr << "zelora_rescomp: " << e.what() << "\n";
    return 1;
  }
  return Usage();
}
