// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory_registry.h"

#include <cstring>

namespace zelora {

struct MemoryRegistry::Key {
  std::string path;
  std::vector<std::pair<std::string, Value>> values;

  std::pair<std::string, Value>* Find(std::string_view name) {
    for (auto& entry : values) {
      if (SameRegistryName(entry.first, name)) return &entry;
    }
    return nullptr;
  }
};

class MemoryRegistry::Handle : public RegistryKey {
 public:
  Handle(MemoryRegistry& registry, Key& key, bool writable)
      : registry_(registry), key_(key), writable_(writable) {
    ++registry_.open_keys_;
  }
  ~Handle() override { --registry_.open_keys_; }

  QueryResult QueryValue(std::string_view name, std::optional<std::uint32_t> buffer_size) override {
    QueryResult result;
    const auto* entry = key_.Find(name);
    if (entry == nullptr) {
      result.status = QueryStatus::kNotFound;
      return result;
    }
    const Value& value = entry->second;
    result.type = value.type;
    result.size = static_cast<std::uint32_t>(value.data.size());
    if (buffer_size && value.data.size() > *buffer_size) {
      result.status = QueryStatus::kMoreData;
      return result;
    }
    if (buffer_size) result.data = value.data;
    result.status = QueryStatus::kSuccess;
    return result;
  }

  bool SetValue(std::string_view name, std::uint32_t type,
                std::span<const std::uint8_t> data) override {
    if (!writable_ || registry_.refuse_writes_) return false;
    Value value{type, {data.begin(), data.end()}};
    if (auto* entry = key_.Find(name)) {
      entry->second = std::move(value);
    } else {
      key_.values.emplace_back(std::string(name), std::move(value));
    }
    registry_.write_log_.emplace_back(name);
    return true;
  }

  bool DeleteValue(std::string_view name) override {
    if (!writable_ || registry_.refuse_writes_) return false;
    std::erase_if(key_.values,
                  [&](const auto& entry) { return SameRegistryName(entry.first, name); });
    registry_.write_log_.emplace_back(name);
    return true;
  }

 private:
  MemoryRegistry& registry_;
  Key& key_;
  bool writable_;
};

MemoryRegistry::MemoryRegistry() = default;
MemoryRegistry::~MemoryRegistry() = default;

std::string MemoryRegistry::ReadRefusal(std::string_view path) {
  return access_ == Access::kNone && FindKey(path) != nullptr ? "no read access" : "";
}

std::unique_ptr<RegistryKey> MemoryRegistry::OpenKey(std::string_view path, KeyAccess access) {
  if (access_ == Access::kNone) return nullptr;
  if (access == KeyAccess::kAllAccess && access_ != Access::kFull) return nullptr;
  Key* key = FindKey(path);
  if (key == nullptr) return nullptr;
  return std::make_unique<Handle>(*this, *key, access == KeyAccess::kAllAccess);
}

std::unique_ptr<RegistryKey> MemoryRegistry::CreateKey(std::string_view path) {
  if (access_ != Access::kFull) return nullptr;
  return std::make_unique<Handle>(*this, EnsureKey(path), true);
}

MemoryRegistry::Key* MemoryRegistry::FindKey(std::string_view path) const {
  for (const auto& key : keys_) {
    if (SameRegistryName(key->path, path)) return key.get();
  }
  return nullptr;
}

MemoryRegistry::Key& MemoryRegistry::EnsureKey(std::string_view path) {
  // Every level exists on its own, as in the registry.
  Key* key = nullptr;
  for (std::size_t end = 0; end != std::string_view::npos;) {
    end = path.find('\\', end + 1);
    const std::string_view level = path.substr(0, end);
    key = FindKey(level);
    if (key == nullptr) {
      keys_.push_back(std::make_unique<Key>(Key{std::string(level), {}}));
      key = keys_.back().get();
    }
  }
  return *key;
}

void MemoryRegistry::AddKey(std::string_view path) { EnsureKey(path); }

bool MemoryRegistry::KeyExists(std::string_view path) const { return FindKey(path) != nullptr; }

void MemoryRegistry::PutValue(std::string_view path, std::string_view name, std::uint32_t type,
                              std::span<const std::uint8_t> data) {
  Key& key = EnsureKey(path);
  Value value{type, {data.begin(), data.end()}};
  if (auto* entry = key.Find(name)) {
    entry->second = std::move(value);
  } else {
    key.values.emplace_back(std::string(name), std::move(value));
  }
}

void MemoryRegistry::PutDword(std::string_view path, std::string_view name, std::int32_t value) {
  std::uint8_t bytes[sizeof value];
  std::memcpy(bytes, &value, sizeof value);
  PutValue(path, name, reg_type::kDword, bytes);
}

void MemoryRegistry::PutDouble(std::string_view path, std::string_view name, double value) {
  std::uint8_t bytes[sizeof value];
  std::memcpy(bytes, &value, sizeof value);
  PutValue(path, name, reg_type::kBinary, bytes);
}

std::optional<MemoryRegistry::Value> MemoryRegistry::GetValue(std::string_view path,
                                                              std::string_view name) const {
  Key* key = FindKey(path);
  if (key == nullptr) return std::nullopt;
  const auto* entry = key->Find(name);
  if (entry == nullptr) return std::nullopt;
  return entry->second;
}

std::optional<std::int32_t> MemoryRegistry::GetDword(std::string_view path,
                                                     std::string_view name) const {
  auto value = GetValue(path, name);
  if (!value || value->type != reg_type::kDword || value->data.size() != sizeof(std::int32_t)) {
    return std::nullopt;
  }
  std::int32_t result = 0;
  std::memcpy(&result, value->data.data(), sizeof result);
  return result;
}

std::optional<double> MemoryRegistry::GetDouble(std::string_view path,
                                                std::string_view name) const {
  auto value = GetValue(path, name);
  if (!value || value->type != reg_type::kBinary || value->data.size() != sizeof(double)) {
    return std::nullopt;
  }
  double result = 0;
  std::memcpy(&result, value->data.data(), sizeof result);
  return result;
}

std::vector<std::string> MemoryRegistry::ValueNames(std::string_view path) const {
  std::vector<std::string> names;
  if (Key* key = FindKey(path)) {
    for (const auto& entry : key->values) names.push_back(entry.first);
  }
  return names;
}

}  // namespace zelora
