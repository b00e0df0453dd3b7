// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time compiler for the program's resources:
//   zelora_rescomp picture <source.pxm> <output.bmp|output.ico> [--png <output.png>]
//       [--xpm <output.xpm>]
//   zelora_rescomp escapes <source.txt> <output>
//   zelora_rescomp icon-theme <source.ico.pxm> <theme dir> <name> <size>...
// Writes nothing and exits with status 1 when the source has a mistake.

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "dib_writer.h"
#include "escape_text.h"
#include "icon_theme.h"
#include "indexed_image.h"
#include "picture_source.h"

namespace zelora::rescomp {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("cannot read " + path);
  return text;
}

// Written under a temporary name and renamed on success, so that a failed
// build never leaves a half-written file that a later build would take as up
// to date.
template <typename Write>
void WriteFile(const std::string& path, Write&& write) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit()) {
    throw std::runtime_error("cannot write " + path + ": " + file.errorString().toStdString());
  }
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  WriteFile(path, [&](QSaveFile& file) {
    return file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
  });
}

void WriteImage(const std::string& path, const QImage& image, const char* format) {
  WriteFile(path, [&](QSaveFile& file) { return QImageWriter(&file, format).write(image); });
}

// A palette image with the full palette of its depth (unused entries black).
// Qt keeps the depth in the bitmap: 1 bit for a mono image, 4 for a palette of
// up to 16 entries, 8 otherwise.
QImage PaletteImage(const IndexedImage& image) {
  QImage out(image.width, image.height,
             image.bits_per_pixel == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
  QList<QRgb> table(qsizetype{1} << image.bits_per_pixel, qRgb(0, 0, 0));
  for (std::size_t i = 0; i < image.palette.size(); ++i) {
    table[static_cast<qsizetype>(i)] =
        qRgb(image.palette[i].r, image.palette[i].g, image.palette[i].b);
  }
  out.setColorTable(table);
  // Qt writes each row's padding as it finds it in memory.
  std::memset(out.bits(), 0, static_cast<std::size_t>(out.sizeInBytes()));
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      out.setPixel(x, y, image.pixels[static_cast<std::size_t>(y) * image.width + x]);
    }
  }
  return out;
}

// RGBA bytes (top row first) as an image with alpha, a copy of them. ARGB32:
// Qt's XPM writer keeps see-through pixels only from that format.
QImage RgbaImage(int width, int height, const std::vector<std::uint8_t>& rgba) {
  return QImage(rgba.data(), width, height, width * 4, QImage::Format_RGBA8888)
      .convertToFormat(QImage::Format_ARGB32);
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

int Usage() {
  std::cerr << "usage: zelora_rescomp picture <source> <output.bmp|output.ico> [--png <png>]\n"
               "         [--xpm <xpm>]\n"
               "       zelora_rescomp escapes <source> <output>\n"
               "       zelora_rescomp icon-theme <source> <theme dir> <name> <size>...\n";
  return 2;
}

int Picture(const std::vector<std::string>& args) {
  if (args.size() < 2 || args.size() % 2 != 0) return Usage();
  const std::string& source_path = args[0];
  const std::string& output = args[1];
  // The first image again, in other formats: --png, --xpm.
  std::string png;
  std::string xpm;
  for (std::size_t i = 2; i < args.size(); i += 2) {
    if (args[i] == "--png") {
      png = args[i + 1];
    } else if (args[i] == "--xpm") {
      xpm = args[i + 1];
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
    if (want_ico) {
      const std::vector<std::uint8_t> icon = EncodeIco(images);
      WriteBytes(output, {reinterpret_cast<const char*>(icon.data()), icon.size()});
    } else {
      WriteImage(output, PaletteImage(images.front()), "BMP");
    }
    const IndexedImage& first = images.front();
    const QImage rgba = RgbaImage(first.width, first.height, ToRgba(first));
    if (!png.empty()) WriteImage(png, rgba, "PNG");
    if (!xpm.empty()) WriteImage(xpm, rgba, "XPM");
  } catch (const SourceError& e) {
    std::cerr << source_path << ": error: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

int Escapes(const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage();
  try {
    WriteBytes(args[1], CompileEscapeText(ReadFile(args[0])));
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
    auto folder = [&](const std::string& sub) {
      std::filesystem::create_directories(dir / sub / "apps");
      return (dir / sub / "apps").string() + "/";
    };
    for (int size : sizes) {
      auto same = std::find_if(images.begin(), images.end(),
                               [&](const auto& i) { return i.width == size && i.height == size; });
      const IndexedImage& from = same != images.end() ? *same : largest;
      const std::string side = std::to_string(size);
      WriteImage(
          folder(side + "x" + side) + name + ".png",
          RgbaImage(size, size, ScaleRgba(ToRgba(from), from.width, from.height, size, size)),
          "PNG");
    }
    WriteBytes(folder("scalable") + name + ".svg", EncodePixelSvg(largest));
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
