// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "hive_text.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <unordered_set>
#include <utility>

#include "registry_backend.h"

namespace zelora {
namespace {

constexpr std::string_view kRootName = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kHeader = "REGEDIT4";

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

// A name in the one spelling that SameRegistryName treats as equal to all others.
std::string FoldedName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// Calls f with each level of a valid key path, in order.
template <typename F>
void ForEachLevel(std::string_view path, F f) {
  for (;;) {
    const std::size_t end = path.find('\\');
    f(path.substr(0, end));
    if (end == std::string_view::npos) return;
    path.remove_prefix(end + 1);
  }
}

// Exactly `text` as one hexadecimal number of type T, nothing before or after.
template <typename T>
std::optional<T> HexNumber(std::string_view text) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// ---------------------------------------------------------------------------
// Writing

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
  return std::all_of(data.begin(), data.end() - 1,
                     [](std::uint8_t c) { return c >= 0x20 && c <= 0x7e; });
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
  char buffer[24];
  if (value.type == reg_type::kDword && value.data.size() == 4) {
    const std::uint32_t n = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                            (static_cast<std::uint32_t>(value.data[3]) << 24);
    std::snprintf(buffer, sizeof buffer, "dword:%08x", static_cast<unsigned>(n));
    out += buffer;
  } else if (value.type == reg_type::kSz && IsPlainString(value.data)) {
    AppendQuoted(out, std::string_view(reinterpret_cast<const char*>(value.data.data()),
                                       value.data.size() - 1));
  } else {
    if (value.type == reg_type::kBinary) {
      out += "hex:";
    } else {
      std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(value.type));
      out += buffer;
    }
    AppendHexBytes(out, value.data);
  }
  out += '\n';
}

// ---------------------------------------------------------------------------
// Reading

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Hive Parse() {
    if (text_.empty()) return std::move(hive_);
    if (text_.size() > hive_text::kMaxTextSize) {
      line_ = 1;
      Fail("the text is larger than 1 MiB");
    }
    if (!text_.ends_with('\n')) {
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
  [[noreturn]] void Fail(const std::string& reason) const { throw HiveTextError(line_, reason); }

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
      if (piece.ends_with('\r')) piece.remove_suffix(1);
      if (std::any_of(piece.begin(), piece.end(), [](unsigned char c) { return IsControl(c); })) {
        Fail("unexpected control character");
      }
      if (!out.empty()) {
        piece.remove_prefix(std::min(piece.find_first_not_of(" \t"), piece.size()));
      }
      out += piece;
      if (!out.ends_with('\\')) return true;
      out.pop_back();
      if (pos_ >= text_.size()) Fail("the file ends after a continued line");
    }
  }

  // The index of the section's key; every missing level is added, parents
  // first. Hive::kRoot for HKEY_LOCAL_MACHINE itself, which holds no values
  // but may have a section of its own in an export.
  std::size_t ParseSection(std::string_view line) {
    if (!line.ends_with(']')) Fail("a key line does not end with ']'");
    std::string_view name = line.substr(1, line.size() - 2);
    if (name.size() < kRootName.size() ||
        !SameRegistryName(name.substr(0, kRootName.size()), kRootName)) {
      Fail("the key is not below HKEY_LOCAL_MACHINE");
    }
    if (name.size() == kRootName.size()) return Hive::kRoot;
    if (name[kRootName.size()] != '\\') Fail("the key is not below HKEY_LOCAL_MACHINE");
    const std::string_view path = name.substr(kRootName.size() + 1);
    if (const auto fault = HiveKeyPathFault(path)) Fail(*fault);
    std::size_t index = Hive::kRoot;
    ForEachLevel(path, [&](std::string_view level) { index = hive_.Child(index, level); });
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

  // Two digits per byte, separated by commas.
  std::vector<std::uint8_t> ParseHexBytes(std::string_view text) const {
    std::vector<std::uint8_t> data;
    if (text.empty()) return data;
    for (std::size_t pos = 0;; pos += 3) {
      if (pos + 2 > text.size()) Fail("bad hexadecimal data");
      const auto byte = HexNumber<std::uint8_t>(text.substr(pos, 2));
      if (!byte) Fail("bad hexadecimal data");
      data.push_back(*byte);
      if (pos + 2 == text.size()) return data;
      if (text[pos + 2] != ',') Fail("bad hexadecimal data");
    }
  }

  void ParseValue(std::string_view line, std::size_t key_index) {
    if (key_index == Hive::kRoot) Fail("HKEY_LOCAL_MACHINE itself holds no values");
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
      const auto n = HexNumber<std::uint32_t>(digits);
      if (digits.size() != 8 || !n) Fail("a dword needs eight hexadecimal digits");
      value.type = reg_type::kDword;
      value.data = {static_cast<std::uint8_t>(*n), static_cast<std::uint8_t>(*n >> 8),
                    static_cast<std::uint8_t>(*n >> 16), static_cast<std::uint8_t>(*n >> 24)};
    } else if (data.starts_with("hex:")) {
      value.type = reg_type::kBinary;
      value.data = ParseHexBytes(data.substr(4));
    } else if (data.starts_with("hex(")) {
      const std::size_t close = data.find("):");
      const std::string_view digits =
          close == std::string_view::npos ? std::string_view() : data.substr(4, close - 4);
      const auto type = HexNumber<std::uint32_t>(digits);
      if (!type || digits.size() > 8) Fail("bad value type");
      value.type = *type;
      value.data = ParseHexBytes(data.substr(close + 2));
    } else {
      Fail("unknown value data");
    }
    if (value.data.size() > hive_text::kMaxValueSize) Fail("a value is larger than 64 KiB");
    if (!value_names_.insert(std::to_string(key_index) + '\\' + FoldedName(value.name)).second) {
      Fail("a value appears twice in its key");
    }
    hive_.key(key_index).values.push_back(std::move(value));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 0;
  int next_line_ = 1;
  Hive hive_;
  // Value names seen, as key index, a backslash and the folded name, so that
  // a key of many values parses in time proportional to its size.
  std::unordered_set<std::string> value_names_;
};

}  // namespace

// ---------------------------------------------------------------------------

HiveValue* HiveKey::Find(std::string_view value_name) {
  return const_cast<HiveValue*>(std::as_const(*this).Find(value_name));
}

const HiveValue* HiveKey::Find(std::string_view value_name) const {
  for (const auto& value : values) {
    if (SameRegistryName(value.name, value_name)) return &value;
  }
  return nullptr;
}

std::string Hive::IndexKey(std::size_t parent, std::string_view name) {
  return std::to_string(parent) + '\\' + FoldedName(name);
}

std::optional<std::size_t> Hive::FindChild(std::size_t parent, std::string_view name) const {
  const auto it = index_.find(IndexKey(parent, name));
  if (it == index_.end()) return std::nullopt;
  return it->second;
}

std::size_t Hive::Child(std::size_t parent, std::string_view name) {
  const auto [it, added] = index_.try_emplace(IndexKey(parent, name), keys_.size());
  if (added) keys_.push_back(HiveKey{std::string(name), parent, {}});
  return it->second;
}

const HiveKey* Hive::Find(std::string_view path) const {
  if (!ValidHiveKeyPath(path)) return nullptr;
  std::optional<std::size_t> index = kRoot;
  ForEachLevel(path, [&](std::string_view level) {
    if (index) index = FindChild(*index, level);
  });
  return index ? &keys_[*index] : nullptr;
}

HiveKey* Hive::Find(std::string_view path) {
  return const_cast<HiveKey*>(std::as_const(*this).Find(path));
}

bool Hive::Ensure(std::string_view path) {
  const std::size_t before = keys_.size();
  std::size_t index = kRoot;
  ForEachLevel(path, [&](std::string_view level) { index = Child(index, level); });
  return keys_.size() != before;
}

HiveTextError::HiveTextError(int line, const std::string& reason)
    : std::runtime_error("damaged at line " + std::to_string(line) + ": " + reason), line_(line) {}

std::optional<std::string> HiveKeyPathFault(std::string_view path) {
  if (!ValidHiveValueName(path)) return "the key name has a control character";
  std::size_t depth = 0;
  std::optional<std::string> fault;
  ForEachLevel(path, [&](std::string_view level) {
    if (fault) return;
    if (level.empty()) fault = "the key name has an empty level";
    if (level.size() > hive_text::kMaxKeyNameSize) {
      fault = "a key name is longer than 255 characters";
    }
    if (++depth > hive_text::kMaxKeyDepth) fault = "the key is more than 512 levels deep";
  });
  return fault;
}

bool ValidHiveValueName(std::string_view name) {
  return std::none_of(name.begin(), name.end(), [](unsigned char c) { return IsControl(c); });
}

Hive ParseHiveText(std::string_view text) { return Parser(text).Parse(); }

std::optional<std::string> WriteHiveText(const Hive& hive) {
  std::string out(kHeader);
  out += "\n\n";
  // Each key's full path, built from its parent's; parents come first. The
  // paths are no longer than the text itself, which stops at the limit.
  std::vector<std::string> paths;
  paths.reserve(hive.keys().size());
  for (const HiveKey& key : hive.keys()) {
    std::string path = key.parent == Hive::kRoot ? std::string() : paths[key.parent] + '\\';
    path += key.name;
    out += '[';
    out += kRootName;
    out += '\\';
    out += path;
    out += "]\n";
    for (const HiveValue& value : key.values) AppendValue(out, value);
    out += '\n';
    if (out.size() > hive_text::kMaxTextSize) return std::nullopt;
    paths.push_back(std::move(path));
  }
  return out;
}

}  // namespace zelora
