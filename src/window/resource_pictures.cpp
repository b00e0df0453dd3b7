// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "resource_pictures.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QPixmap>
#include <string>

#include "pictures.h"

namespace zelora {
namespace {

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

}  // namespace

QImage LoadPicture(const char* path, const char* format) {
  QImageReader reader(QString::fromLatin1(path), format);
  // Guessing the format would load every image plugin and ask it first, even
  // for a format Qt reads itself.
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

QIcon MainIcon() { return QIcon(QPixmap::fromImage(LoadPicture(pictures::kMainIconImage, "XPM"))); }

QImage LoadBitmapResource(int id) {
  const char* path = pictures::BitmapResourcePath(id);
  QImage image;
  if (path != nullptr) image = LoadPicture(path, "BMP");
  if (image.isNull()) {
    throw ResourceError("Bitmap resource " + std::to_string(id) + " not found");
  }
  return image;
}

int IconImageIndex(std::span<const std::uint8_t> icon_file, int width, int height, int colours) {
  // ICONDIR: reserved 0, type 1, count; then 16-byte entries.
  constexpr std::size_t kHeader = 6;
  constexpr std::size_t kEntry = 16;
  if (icon_file.size() < kHeader || Word(icon_file, 0) != 0 || Word(icon_file, 2) != 1) return -1;
  const std::size_t count = Word(icon_file, 4);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kHeader + i * kEntry;
    if (at + kEntry > icon_file.size()) return -1;
    // A stored size of 0 means 256; a colour count of 0 means the bit count
    // decides (256 or more colours, or a writer that leaves it out).
    const int entry_width = icon_file[at] == 0 ? 256 : icon_file[at];
    const int entry_height = icon_file[at + 1] == 0 ? 256 : icon_file[at + 1];
    int entry_colours = icon_file[at + 2];
    const int bits = Word(icon_file, at + 6);
    if (entry_colours == 0 && bits > 0 && bits <= 8) entry_colours = 1 << bits;
    if (entry_width == width && entry_height == height && entry_colours == colours) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

QImage LoadIconImage(const char* path, int width, int height, int colours) {
  QFile file(QString::fromLatin1(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArray bytes = file.readAll();
  const int index = IconImageIndex({reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size())},
                                   width, height, colours);
  if (index < 0) return {};
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ICO");
  reader.setAutoDetectImageFormat(false);
  if (!reader.jumpToImage(index)) return {};
  return reader.read();
}

}  // namespace zelora
