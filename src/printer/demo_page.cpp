// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo_page.h"

#include <memory>
#include <new>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "posix_file.h"
#endif

namespace zelora {

namespace {

constexpr int kReadBeyondEndOfFile = 100;

// The buffer of the file's size, or "Out of memory".
std::string ReserveBuffer(unsigned long long size) {
  try {
    if (size > std::string().max_size()) throw std::bad_alloc();
    return std::string(static_cast<std::size_t>(size), '\0');
  } catch (const std::bad_alloc&) {
    throw DemoFileError("Out of memory");
  } catch (const std::length_error&) {
    throw DemoFileError("Out of memory");
  }
}

#ifdef _WIN32
constexpr char kSeparator = '\\';

// The platform's error codes are the table's own.
[[noreturn]] void ThrowLastError() { throw DemoFileError(IoErrorText(int(GetLastError()))); }

struct HandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;
#else
constexpr char kSeparator = '/';

// POSIX errors in the table's codes: a missing file 2; a path that cannot name
// a file (too long, a non-directory or a symbolic-link loop on the way) 3; no
// descriptor left 4; refused access, a read-only file system, a directory or a
// running program in the file's place 5. Any other error shows its own
// number as "I/O error <errno>".
std::string ErrnoText(int error) {
  switch (error) {
    case ENOENT:
      return IoErrorText(2);
    case ENAMETOOLONG:
    case ENOTDIR:
    case ELOOP:
      return IoErrorText(3);
    case EMFILE:
    case ENFILE:
      return IoErrorText(4);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return IoErrorText(5);
    case ENOSPC:
      return IoErrorText(101);
    case ENOMEM:
      return "Out of memory";
    default:
      return "I/O error " + std::to_string(error);
  }
}

[[noreturn]] void ThrowErrno(int error) { throw DemoFileError(ErrnoText(error)); }
#endif

}  // namespace

std::string DemoFilePathIn(std::string_view directory) {
  std::string path(directory);
  path.push_back(kSeparator);
  path.append(kDemoFileName);
  return path;
}

std::string IoErrorText(int code) {
  switch (code) {
    case 2:
      return "File not found";
    case 3:
      return "Invalid filename";
    case 4:
      return "Too many open files";
    case 5:
      return "File access denied";
    case kReadBeyondEndOfFile:
      return "Read beyond end of file";
    case 101:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    default:
      return "I/O error " + std::to_string(code);
  }
}

#ifdef _WIN32

std::string DemoFilePath() {
  // The ANSI text, as the file is opened with the ANSI call.
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) ThrowLastError();
  std::string directory(needed, '\0');
  const DWORD length = GetCurrentDirectoryA(needed, directory.data());
  if (length == 0 || length >= needed) ThrowLastError();
  directory.resize(length);
  return DemoFilePathIn(directory);
}

std::string ReadDemoFile(const std::string& path) {
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) ThrowLastError();
  const UniqueHandle file(handle);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) ThrowLastError();
  // One read call takes at most MAXDWORD bytes.
  if (size.QuadPart > MAXDWORD) throw DemoFileError("Out of memory");
  std::string buffer = ReserveBuffer(static_cast<unsigned long long>(size.QuadPart));
  DWORD read = 0;
  if (!buffer.empty() &&
      !ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
    ThrowLastError();
  }
  if (read < buffer.size()) throw DemoFileError(IoErrorText(kReadBeyondEndOfFile));
  return buffer;
}

#else

std::string DemoFilePath() {
  std::error_code error;
  const std::filesystem::path directory = std::filesystem::current_path(error);
  if (error) ThrowErrno(error.value());
  return DemoFilePathIn(directory.string());
}

std::string ReadDemoFile(const std::string& path) {
  // Read access only: the file is never written, and the folder it is
  // started in (the package's data folder) is read-only for most users.
  // O_NONBLOCK keeps a FIFO in the file's place from stalling the open; its
  // size is 0, so nothing is read from it.
  const posix::UniqueFd file = posix::Open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (!file) ThrowErrno(errno);
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) ThrowErrno(errno);
  if (S_ISDIR(status.st_mode)) ThrowErrno(EISDIR);
  std::string buffer = ReserveBuffer(static_cast<unsigned long long>(status.st_size));
  std::size_t done = 0;
  while (done < buffer.size()) {
    const ssize_t n = ::read(file.get(), buffer.data() + done, buffer.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowErrno(errno);
    if (n == 0) throw DemoFileError(IoErrorText(kReadBeyondEndOfFile));
    done += static_cast<std::size_t>(n);
  }
  return buffer;
}

#endif

bool StreamDemoPage(PrinterPort& port, std::string_view bytes, const DemoProgress& progress,
                    const RefusedByte& refused) {
  const std::unique_ptr<PortConnection> connection = port.Open();
  if (connection == nullptr) return false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    // A port that refused a byte has stopped taking data: going on would
    // wait out the write time-out, and report, once for every byte left.
    if (!connection->Write(bytes.substr(i, 1))) {
      if (refused) refused();
      break;
    }
    if (progress) progress(i + 1, bytes.size());
  }
  return true;
}

}  // namespace zelora
