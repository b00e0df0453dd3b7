#include "settings/hive_file_registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace zelora {
namespace {

constexpr std::string_view kRootName = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kHeader = "REGEDIT4";
constexpr auto kLockWait = std::chrono::seconds(5);

// ---------------------------------------------------------------------------
// The hive in memory

struct HiveValue {
  std::string name;  // empty for the default value
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

struct HiveKey {
  std::string path;  // relative to the root, levels joined by '\'
  std::vector<HiveValue> values;

  HiveValue* Find(std::string_view name) {
    for (auto& value : values) {
      if (SameRegistryName(value.name, name)) return &value;
    }
    return nullptr;
  }
};

// Keys in file order; a parent always comes before its children.
struct Hive {
  std::vector<HiveKey> keys;

  HiveKey* Find(std::string_view path) {
    for (auto& key : keys) {
      if (SameRegistryName(key.path, path)) return &key;
    }
    return nullptr;
  }

  // Creates every missing level; true when something was created.
  bool Ensure(std::string_view path) {
    bool created = false;
    for (std::size_t end = 0; end != std::string_view::npos;) {
      end = path.find('\\', end + 1);
      const std::string_view level = path.substr(0, end);
      if (Find(level) == nullptr) {
        keys.push_back(HiveKey{std::string(level), {}});
        created = true;
      }
    }
    return created;
  }
};

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

// A name in the one spelling that SameRegistryName treats as equal to all others.
std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// A key path relative to the root: non-empty levels without control characters.
bool ValidKeyPath(std::string_view path) {
  if (path.empty() || path.front() == '\\' || path.back() == '\\') return false;
  if (path.find("\\\\") != std::string_view::npos) return false;
  for (unsigned char c : path) {
    if (IsControl(c)) return false;
  }
  return true;
}

bool ValidValueName(std::string_view name) {
  for (unsigned char c : name) {
    if (IsControl(c)) return false;
  }
  return true;
}

// ---------------------------------------------------------------------------
// Text form

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

// Data that reads back unchanged from "...": one terminating zero, nothing
// else below the space and nothing outside printable ASCII.
bool IsPlainString(const std::vector<std::uint8_t>& data) {
  if (data.empty() || data.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] < 0x20 || data[i] > 0x7e) return false;
  }
  return true;
}

void AppendHexBytes(std::string& out, const std::vector<std::uint8_t>& data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i != 0) out += ',';
    out += kHexDigits[data[i] >> 4];
    out += kHexDigits[data[i] & 0x0f];
  }
}

void AppendValue(std::string& out, const HiveValue& value) {
  if (value.name.empty()) {
    out += '@';
  } else {
    AppendQuoted(out, value.name);
  }
  out += '=';
  if (value.type == reg_type::kDword && value.data.size() == 4) {
    const std::uint32_t n = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                            (static_cast<std::uint32_t>(value.data[3]) << 24);
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(n));
    out += "dword:";
    out += digits;
  } else if (value.type == reg_type::kSz && IsPlainString(value.data)) {
    AppendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                       value.data.size() - 1));
  } else {
    if (value.type == reg_type::kBinary) {
      out += "hex:";
    } else {
      char type[16];
      std::snprintf(type, sizeof type, "hex(%x):", static_cast<unsigned>(value.type));
      out += type;
    }
    AppendHexBytes(out, value.data);
  }
  out += '\n';
}

std::string Serialize(const Hive& hive) {
  std::string out(kHeader);
  out += "\n\n";
  for (const HiveKey& key : hive.keys) {
    out += '[';
    out += kRootName;
    out += '\\';
    out += key.path;
    out += "]\n";
    for (const HiveValue& value : key.values) AppendValue(out, value);
    out += '\n';
  }
  return out;
}

// Parser of the text form. Strict: whatever it does not understand makes the
// whole file unusable, so that nothing of it is lost by rewriting it.
class Parser {
 public:
  Parser(std::string_view text, const std::string& file) : text_(text), file_(file) {}

  Hive Parse() {
    if (text_.empty() || text_.back() != '\n') {
      line_ = static_cast<int>(std::count(text_.begin(), text_.end(), '\n')) + 1;
      Fail("the file ends in the middle of a line");
    }
    std::optional<std::size_t> key;
    std::string line;
    while (NextLogicalLine(line)) {
      if (line_ == 1) {
        if (line != kHeader) Fail("the first line is not REGEDIT4");
        continue;
      }
      if (line.empty()) continue;
      if (line.front() == '[') {
        key = ParseSection(line);
      } else if (line.front() == '"' || line.front() == '@') {
        if (!key) Fail("a value comes before the first key");
        ParseValue(line, *key);
      } else {
        Fail("unexpected text");
      }
    }
    return std::move(hive_);
  }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    throw HiveFileError("Settings file '" + file_ + "' is damaged at line " +
                        std::to_string(line_) + ": " + reason);
  }

  // One line, with lines ending in a backslash joined to the next (long hex
  // data is written that way by other tools). line_ is its first line.
  bool NextLogicalLine(std::string& out) {
    out.clear();
    if (pos_ >= text_.size()) return false;
    line_ = next_line_;
    for (;;) {
      const std::size_t end = text_.find('\n', pos_);
      std::string_view piece = text_.substr(pos_, end - pos_);
      pos_ = end + 1;
      ++next_line_;
      if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
      for (unsigned char c : piece) {
        if (IsControl(c)) Fail("unexpected control character");
      }
      if (!out.empty()) {
        while (!piece.empty() && (piece.front() == ' ' || piece.front() == '\t')) {
          piece.remove_prefix(1);
        }
      }
      out += piece;
      if (out.empty() || out.back() != '\\') return true;
      out.pop_back();
      if (pos_ >= text_.size()) Fail("the file ends after a continued line");
    }
  }

  // The index of the section's key in hive_.keys; every missing level is
  // added, parents first, as Hive::Ensure does.
  std::size_t ParseSection(std::string_view line) {
    if (line.back() != ']') Fail("a key line does not end with ']'");
    std::string_view name = line.substr(1, line.size() - 2);
    if (name.size() <= kRootName.size() + 1 ||
        !SameRegistryName(name.substr(0, kRootName.size()), kRootName) ||
        name[kRootName.size()] != '\\') {
      Fail("the key is not below HKEY_LOCAL_MACHINE");
    }
    const std::string_view path = name.substr(kRootName.size() + 1);
    if (!ValidKeyPath(path)) Fail("the key name has an empty level");
    std::size_t index = 0;
    for (std::size_t end = 0; end != std::string_view::npos;) {
      end = path.find('\\', end + 1);
      const std::string_view level = path.substr(0, end);
      const auto [it, added] = key_index_.try_emplace(FoldedName(level), hive_.keys.size());
      if (added) hive_.keys.push_back(HiveKey{std::string(level), {}});
      index = it->second;
    }
    return index;
  }

  // A quoted string starting at line[pos]; pos ends after the closing quote.
  std::string ParseQuoted(std::string_view line, std::size_t& pos) const {
    std::string out;
    ++pos;
    for (;;) {
      if (pos >= line.size()) Fail("a quoted text is not closed");
      char c = line[pos++];
      if (c == '"') return out;
      if (c == '\\') {
        if (pos >= line.size() || (line[pos] != '\\' && line[pos] != '"')) {
          Fail("unknown escape in a quoted text");
        }
        c = line[pos++];
      }
      out += c;
    }
  }

  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  std::vector<std::uint8_t> ParseHexBytes(std::string_view text) const {
    std::vector<std::uint8_t> data;
    if (text.empty()) return data;
    for (std::size_t pos = 0;; pos += 3) {
      if (pos + 2 > text.size() || HexDigit(text[pos]) < 0 || HexDigit(text[pos + 1]) < 0) {
        Fail("bad hexadecimal data");
      }
      data.push_back(static_cast<std::uint8_t>(HexDigit(text[pos]) * 16 + HexDigit(text[pos + 1])));
      if (pos + 2 == text.size()) return data;
      if (text[pos + 2] != ',') Fail("bad hexadecimal data");
    }
  }

  void ParseValue(std::string_view line, std::size_t key_index) {
    std::size_t pos = 0;
    std::string name;
    if (line.front() == '@') {
      pos = 1;
    } else {
      name = ParseQuoted(line, pos);
      if (name.empty()) Fail("a value name is empty");
    }
    if (pos >= line.size() || line[pos] != '=') Fail("'=' missing after a value name");
    ++pos;
    const std::string_view data = line.substr(pos);

    HiveValue value{name, 0, {}};
    if (data.starts_with('"')) {
      std::size_t end = 0;
      const std::string text = ParseQuoted(data, end);
      if (end != data.size()) Fail("text after a quoted value");
      value.type = reg_type::kSz;
      value.data.assign(text.begin(), text.end());
      value.data.push_back(0);
    } else if (data.starts_with("dword:")) {
      const std::string_view digits = data.substr(6);
      if (digits.size() != 8) Fail("a dword needs eight hexadecimal digits");
      std::uint32_t n = 0;
      for (char c : digits) {
        if (HexDigit(c) < 0) Fail("a dword needs eight hexadecimal digits");
        n = n * 16 + static_cast<std::uint32_t>(HexDigit(c));
      }
      value.type = reg_type::kDword;
      value.data = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                    static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
    } else if (data.starts_with("hex:")) {
      value.type = reg_type::kBinary;
      value.data = ParseHexBytes(data.substr(4));
    } else if (data.starts_with("hex(")) {
      const std::size_t close = data.find("):");
      const std::string_view digits =
          close == std::string_view::npos ? std::string_view() : data.substr(4, close - 4);
      if (digits.empty() || digits.size() > 8) Fail("bad value type");
      for (char c : digits) {
        if (HexDigit(c) < 0) Fail("bad value type");
        value.type = value.type * 16 + static_cast<std::uint32_t>(HexDigit(c));
      }
      value.data = ParseHexBytes(data.substr(close + 2));
    } else {
      Fail("unknown value data");
    }
    if (value.data.size() > HiveFileRegistry::kMaxValueSize) {
      Fail("a value is larger than 64 KiB");
    }
    if (!value_names_.insert(std::to_string(key_index) + '\\' + FoldedName(value.name)).second) {
      Fail("a value appears twice in its key");
    }
    hive_.keys[key_index].values.push_back(std::move(value));
  }

  std::string_view text_;
  const std::string& file_;
  std::size_t pos_ = 0;
  int line_ = 0;
  int next_line_ = 1;
  Hive hive_;
  // Look-ups by folded name, so that a file of many keys or values parses in
  // time proportional to its size rather than to its square.
  std::unordered_map<std::string, std::size_t> key_index_;
  std::unordered_set<std::string> value_names_;  // key index, a backslash, value name
};

// ---------------------------------------------------------------------------
// Files

class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~UniqueFd() { Reset(); }

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // Closes now; false when close reported an error.
  bool Reset() {
    const int fd = std::exchange(fd_, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::string ErrnoText(int error) { return std::generic_category().message(error); }

bool MayAccess(const std::filesystem::path& path, int mode) {
  return ::faccessat(AT_FDCWD, path.c_str(), mode, AT_EACCESS) == 0;
}

// Like mkdir -p, but never world-writable whatever the umask.
bool MakeDirectories(const std::filesystem::path& dir) {
  std::filesystem::path partial;
  for (const auto& part : dir) {
    partial /= part;
    if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

struct HiveText {
  enum class Status { kRead, kMissing, kDenied } status = Status::kMissing;
  std::string text;
  mode_t mode = 0;
};

// Reads the whole hive file, at most kMaxFileSize bytes.
HiveText ReadHiveFile(const std::filesystem::path& file) {
  HiveText result;
  // O_NONBLOCK: a FIFO put in its place must not hang the program; it is
  // rejected below as not a regular file.
  UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd) {
    if (errno == ENOENT) return result;
    if (errno == EACCES || errno == EPERM) {
      result.status = HiveText::Status::kDenied;
      return result;
    }
    throw HiveFileError("Cannot read settings file '" + file.string() + "': " + ErrnoText(errno));
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    throw HiveFileError("Settings file '" + file.string() + "' is not a regular file");
  }
  const std::string too_large =
      "Settings file '" + file.string() + "' is larger than 1 MiB and is not read";
  if (static_cast<std::uintmax_t>(st.st_size) > HiveFileRegistry::kMaxFileSize) {
    throw HiveFileError(too_large);
  }
  result.mode = st.st_mode;
  // One byte more than allowed shows a file that grew after the fstat.
  result.text.resize(HiveFileRegistry::kMaxFileSize + 1);
  std::size_t size = 0;
  while (size < result.text.size()) {
    const ssize_t n = ::read(fd.get(), result.text.data() + size, result.text.size() - size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      throw HiveFileError("Cannot read settings file '" + file.string() + "': " + ErrnoText(errno));
    }
    if (n == 0) break;
    size += static_cast<std::size_t>(n);
  }
  if (size > HiveFileRegistry::kMaxFileSize) throw HiveFileError(too_large);
  result.text.resize(size);
  result.status = HiveText::Status::kRead;
  return result;
}

Hive ParseHive(const HiveText& text, const std::filesystem::path& file) {
  if (text.status != HiveText::Status::kRead) return Hive{};
  const std::string name = file.string();
  return Parser(text.text, name).Parse();
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Replaces the hive file with text: a fresh temporary file in the same
// directory (never through a symbolic link), synced, renamed over the hive,
// and the directory synced so that the rename itself survives a crash.
// Returns whether the new text is durable; `replaced` tells whether the hive
// file now holds it. old_mode is the mode of the file replaced; a new file
// gets 0644 less the umask.
bool ReplaceFile(const std::filesystem::path& file, std::string_view text,
                 std::optional<mode_t> old_mode, bool& replaced) {
  replaced = false;
  std::filesystem::path temp = file;
  temp += ".tmp";
  // Only a writer holding the lock gets here, so a file of that name is a
  // leftover of a killed writer (or planted); unlinking never follows a link.
  ::unlink(temp.c_str());
  UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!fd) return false;
  bool ok = WriteAll(fd.get(), text);
  // Keep an administrator's group permissions, never world write.
  if (ok && old_mode) ok = ::fchmod(fd.get(), *old_mode & 0664) == 0;
  ok = ok && ::fsync(fd.get()) == 0;
  ok = fd.Reset() && ok;
  if (!ok || ::rename(temp.c_str(), file.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  replaced = true;
  UniqueFd dir(::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return dir && ::fsync(dir.get()) == 0;
}

// Exclusive lock on <hive>.lock, held while the object lives.
class WriterLock {
 public:
  // nullopt when the lock file cannot be opened (no write access).
  static std::optional<WriterLock> Acquire(const std::filesystem::path& file) {
    std::filesystem::path lock_path = file;
    lock_path += ".lock";
    UniqueFd fd(::open(lock_path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!fd) return std::nullopt;
    // Wait a while for another writer, but never hang the caller for good on
    // a copy of the program that stopped while holding the lock.
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) return std::nullopt;
      if (std::chrono::steady_clock::now() >= deadline) {
        throw HiveFileError("Settings file '" + file.string() + "' is locked by another program");
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WriterLock(std::move(fd));
  }

 private:
  explicit WriterLock(UniqueFd fd) : fd_(std::move(fd)) {}
  UniqueFd fd_;  // closing it releases the lock
};

// ---------------------------------------------------------------------------
// Keys

class HiveFileKey : public RegistryKey {
 public:
  // Read access: a snapshot of the file.
  HiveFileKey(Hive hive, std::string path) : hive_(std::move(hive)), path_(std::move(path)) {}
  // Full access: the file is re-read under the lock, so the snapshot is the
  // file as it stays until this key closes.
  HiveFileKey(Hive hive, std::string path, WriterLock lock, std::filesystem::path file,
              std::optional<mode_t> mode)
      : hive_(std::move(hive)),
        path_(std::move(path)),
        lock_(std::move(lock)),
        file_(std::move(file)),
        mode_(mode) {}

  QueryResult QueryValue(std::string_view name, std::optional<std::uint32_t> buffer_size) override {
    QueryResult result;
    const HiveValue* value = Key().Find(name);
    if (value == nullptr) {
      result.status = QueryStatus::kNotFound;
      return result;
    }
    result.type = value->type;
    result.size = static_cast<std::uint32_t>(value->data.size());
    if (buffer_size && value->data.size() > *buffer_size) {
      result.status = QueryStatus::kMoreData;
      return result;
    }
    if (buffer_size) result.data = value->data;
    result.status = QueryStatus::kSuccess;
    return result;
  }

  bool SetValue(std::string_view name, std::uint32_t type,
                std::span<const std::uint8_t> data) override {
    if (!lock_ || !ValidValueName(name) || data.size() > HiveFileRegistry::kMaxValueSize) {
      return false;
    }
    Hive changed = hive_;
    HiveKey& key = *changed.Find(path_);
    HiveValue value{std::string(name), type, {data.begin(), data.end()}};
    if (HiveValue* old = key.Find(name)) {
      value.name = old->name;  // the first spelling of a name stays
      *old = std::move(value);
    } else {
      key.values.push_back(std::move(value));
    }
    const std::string text = Serialize(changed);
    if (text.size() > HiveFileRegistry::kMaxFileSize) return false;
    bool replaced = false;
    const bool durable = ReplaceFile(file_, text, mode_, replaced);
    if (replaced) hive_ = std::move(changed);
    return durable;
  }

 private:
  HiveKey& Key() { return *hive_.Find(path_); }

  Hive hive_;
  std::string path_;
  std::optional<WriterLock> lock_;
  std::filesystem::path file_;
  std::optional<mode_t> mode_;
};

}  // namespace

std::filesystem::path HiveFileRegistry::DefaultDirectory() { return ZELORA_HIVE_DIR; }

HiveFileRegistry::HiveFileRegistry(std::filesystem::path directory)
    : directory_(std::move(directory)), file_(directory_ / "HKEY_LOCAL_MACHINE.reg") {}

HiveFileRegistry::~HiveFileRegistry() = default;

std::unique_ptr<RegistryKey> HiveFileRegistry::OpenKey(std::string_view path, KeyAccess access) {
  if (!ValidKeyPath(path)) return nullptr;
  if (access == KeyAccess::kRead) {
    const HiveText text = ReadHiveFile(file_);
    Hive hive = ParseHive(text, file_);
    if (hive.Find(path) == nullptr) return nullptr;
    return std::make_unique<HiveFileKey>(std::move(hive), std::string(path));
  }
  if (!MayAccess(directory_, W_OK | X_OK) || !MayAccess(file_, R_OK | W_OK)) return nullptr;
  std::optional<WriterLock> lock = WriterLock::Acquire(file_);
  if (!lock) return nullptr;
  const HiveText text = ReadHiveFile(file_);
  Hive hive = ParseHive(text, file_);
  if (hive.Find(path) == nullptr) return nullptr;
  return std::make_unique<HiveFileKey>(std::move(hive), std::string(path), std::move(*lock), file_,
                                       text.mode);
}

std::unique_ptr<RegistryKey> HiveFileRegistry::CreateKey(std::string_view path) {
  if (!ValidKeyPath(path)) return nullptr;
  if (!MakeDirectories(directory_) || !MayAccess(directory_, W_OK | X_OK)) return nullptr;
  std::optional<WriterLock> lock = WriterLock::Acquire(file_);
  if (!lock) return nullptr;
  const HiveText text = ReadHiveFile(file_);
  if (text.status == HiveText::Status::kDenied ||
      (text.status == HiveText::Status::kRead && !MayAccess(file_, W_OK))) {
    return nullptr;
  }
  Hive hive = ParseHive(text, file_);
  std::optional<mode_t> mode;
  if (text.status == HiveText::Status::kRead) mode = text.mode;
  if (hive.Ensure(path) || text.status == HiveText::Status::kMissing) {
    bool replaced = false;
    ReplaceFile(file_, Serialize(hive), mode, replaced);
    if (!replaced) return nullptr;
  }
  return std::make_unique<HiveFileKey>(std::move(hive), std::string(path), std::move(*lock), file_,
                                       mode);
}

std::unique_ptr<RegistryBackend> MakePlatformRegistry() {
  return std::make_unique<HiveFileRegistry>();
}

}  // namespace zelora
