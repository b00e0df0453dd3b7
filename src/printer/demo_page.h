// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "port_writer.h"

namespace zelora {

// The demonstration print file, looked for in the current directory only.
inline constexpr std::string_view kDemoFileName = "k4xdemo.prn";

// directory, the platform's separator, kDemoFileName. The directory is taken
// as given: at a root ("C:\", "/") the path holds two separators in a row,
// which the platform still accepts.
std::string DemoFilePathIn(std::string_view directory);

// The demonstration file in the process's current directory. Throws
// DemoFileError when there is no current directory.
std::string DemoFilePath();

// The text of an I/O error code: 2 "File not found", 3 "Invalid filename",
// 4 "Too many open files", 5 "File access denied", 100 "Read beyond end of
// file", 101 "Disk full", 106 "Invalid numeric input", any other "I/O error
// <code>".
std::string IoErrorText(int code);

// The demonstration file could not be opened or read, or there is no memory to
// hold it. The message has no full stop: the exception box adds it.
class DemoFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole file, read into one buffer of its size. It is opened only if it
// exists, for reading only and shared with others; a file this user may not
// read fails with "File access denied".
// Throws DemoFileError; the file is closed on every path.
std::string ReadDemoFile(const std::string& path);

// Called after each byte with the count of bytes handled and the total.
using DemoProgress = std::function<void(std::size_t done, std::size_t total)>;
// Called for the byte the port refused.
using RefusedByte = std::function<void()>;

// Sends the bytes to the printer unchanged, one write call per byte, in order,
// over one connection held for the whole transfer. The first refused byte is
// reported and ends the transfer. False when the port could not be opened:
// then nothing else happens, no callback included.
bool StreamDemoPage(PrinterPort& port, std::string_view bytes, const DemoProgress& progress,
                    const RefusedByte& refused);

}  // namespace zelora
