// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QImage>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace zelora {

// A picture the program's own resources do not hold.
class ResourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The picture at `path` (a resource path) read as `format` ("BMP", "ICO")
// only; a null image when it is missing or not of that format. Unlike
// QImage(path), it never has the image plugins loaded to guess the format.
QImage LoadPicture(const char* path, const char* format);

// The program's icon, for its windows.
QIcon MainIcon();

// The bitmap resource with this integer identifier (100 is the about
// picture). Throws ResourceError when there is no such bitmap.
QImage LoadBitmapResource(int id);

// The index of the first image of an icon file (its bytes) with this size and
// number of colours, taken from the icon's directory; -1 when there is none or
// the bytes are not an icon.
int IconImageIndex(std::span<const std::uint8_t> icon_file, int width, int height, int colours);

// That image of the icon file at `path` (a resource path); a null image when
// the file or the image is missing.
QImage LoadIconImage(const char* path, int width, int height, int colours);

}  // namespace zelora
