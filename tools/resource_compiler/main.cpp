// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time compiler for the program's resources:
//   zelora_rescomp picture <source.pxm> <output.bmp|output.ico> [--png <output.png>]
//       [--argb-bmp <output.bmp>]
//   zelora_rescomp escapes <source.txt> <output>
//   zelora_rescomp icon-theme <source.ico.pxm> <theme dir> <name> <size>...
// Writes nothing and exits with status 1 when the source has a mistake.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "dib_writer.h"
#include "escape_text.h"
#include "icon_theme.h"
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
  // std::filesystem's rename replaces an existing file on Windows too, where
  // the C library's refuses to.
  std::error_code error;
  std::filesystem::rename(temp, path, error);
  if (error) {
    std::remove(temp.c_str());
    throw std::runtime_error("cannot write " + path + ": " + error.message());
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
               "         [--argb-bmp <bmp>]\n"
               "       zelora_rescomp escapes <source> <output>\n"
               "       zelora_rescomp icon-theme <source> <theme dir> <name> <size>...\n";
  return 2;
}

int Picture(const std::vector<std::string>& args) {
  if (args.size() < 2 || args.size() % 2 != 0) return Usage();
  const std::string& source_path = args[0];
  const std::string& output = args[1];
  // The first image again, in other formats: --png, --argb-bmp.
  std::string png;
  std::string argb_bmp;
  for (std::size_t i = 2; i < args.size(); i += 2) {
    if (args[i] == "--png") {
      png = args[i + 1];
    } else if (args[i] == "--argb-bmp") {
      argb_bmp = args[i + 1];
    } else {
      return Usage();
    }
  }
  try {
    PictureSource source = ParsePictureSource(ReadFile(source_path));
    std::vector<IndexedImage> images = BuildImages(source);
    bool want_ico = EndsWith(output, ".ico");
    if (want_ico != (source.format == PictureFormat::Ico) ||
        (!want_ico && !EndsWith(output, ".bmp"))) {
      throw SourceError(0, "the output name " + output + " does not match the source's format");
    }
    WriteFile(output, want_ico ? EncodeIco(images) : EncodeBmp(images.front()));
    const IndexedImage& first = images.front();
    if (!png.empty()) WriteFile(png, EncodePng(first.width, first.height, ToRgba(first)));
    if (!argb_bmp.empty()) {
      WriteFile(argb_bmp, EncodeArgbBmp(first.width, first.height, ToRgba(first)));
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

// The icon in a desktop theme folder: <dir>/<n>x<n>/apps/<name>.png for each
// size, drawn from the source's image of that size when it has one and scaled
// from its largest otherwise, and <dir>/scalable/apps/<name>.svg of the
// largest.
int IconTheme(const std::vector<std::string>& args) {
  if (args.size() < 4) return Usage();
  std::vector<int> sizes;
  for (std::size_t i = 3; i < args.size(); ++i) {
    const int size = std::atoi(args[i].c_str());
    if (size < 1 || size > 1024 || std::to_string(size) != args[i]) return Usage();
    sizes.push_back(size);
  }
  const std::filesystem::path dir = args[1];
  const std::string& name = args[2];
  try {
    std::vector<IndexedImage> images = BuildImages(ParsePictureSource(ReadFile(args[0])));
    const IndexedImage& largest =
        *std::max_element(images.begin(), images.end(),
                          [](const auto& a, const auto& b) { return a.width < b.width; });
    if (largest.width != largest.height) throw SourceError(0, "a theme icon must be square");
    auto write = [&](const std::string& folder, const std::string& file, const auto& bytes) {
      std::filesystem::create_directories(dir / folder / "apps");
      WriteFile((dir / folder / "apps" / file).string(), bytes);
    };
    for (int size : sizes) {
      auto same = std::find_if(images.begin(), images.end(),
                               [&](const auto& i) { return i.width == size && i.height == size; });
      const IndexedImage& from = same != images.end() ? *same : largest;
      write(std::to_string(size) + "x" + std::to_string(size), name + ".png",
            EncodePng(size, size, ScaleRgba(ToRgba(from), from.width, from.height, size, size)));
    }
    write("scalable", name + ".svg", std::string_view(EncodePixelSvg(largest)));
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
    if (command == "icon-theme") return IconTheme(args);
  } catch (const std::exception& e) {
    std::cerr << "zelora_rescomp: " << e.what() << "\n";
    return 1;
  }
  return Usage();
}
