// SPDX-FileCopyrightText: 2026 Zelora developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Counts the handles this process holds, from the system's handle table, so
// that tests can tell whether registry keys and port handles were closed.

#ifdef _WIN32
#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace zelora::testing {

namespace win_handles_detail {

// The extended handle table entry (information class 64), which carries
// 64-bit process ids and the object type of every handle.
struct HandleEntry {
  void* object;
  ULONG_PTR process_id;
  ULONG_PTR handle_value;
  ULONG granted_access;
  USHORT creator_back_trace_index;
  USHORT object_type_index;
  ULONG handle_attributes;
  ULONG reserved;
};
struct HandleTable {
  ULONG_PTR count;
  ULONG_PTR reserved;
  HandleEntry entries[1];
};

inline constexpr ULONG kExtendedHandleInformation = 64;
inline constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

using QueryFunction = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

// Every handle of this process, by object type.
inline std::vector<HandleEntry> OwnHandles() {
  static const auto query = reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) throw std::runtime_error("NtQuerySystemInformation is missing");
  std::vector<std::uint8_t> buffer(std::size_t{1} << 16);
  for (;;) {
    ULONG needed = 0;
    const LONG status = query(kExtendedHandleInformation, buffer.data(),
                              static_cast<ULONG>(buffer.size()), &needed);
    if (status == kInfoLengthMismatch) {
      buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
      continue;
    }
    if (status < 0) throw std::runtime_error("the system handle table cannot be read");
    break;
  }
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  std::vector<HandleEntry> own;
  const ULONG_PTR self = GetCurrentProcessId();
  for (ULONG_PTR i = 0; i < table->count; ++i) {
    if (table->entries[i].process_id == self) own.push_back(table->entries[i]);
  }
  return own;
}

}  // namespace win_handles_detail

// The object type of one of this process's handles (a registry key, a file).
inline USHORT HandleType(HANDLE handle) {
  for (const auto& entry : win_handles_detail::OwnHandles()) {
    if (entry.handle_value == reinterpret_cast<ULONG_PTR>(handle)) return entry.object_type_index;
  }
  throw std::runtime_error("the handle is not in the system handle table");
}

// How many handles of that type this process holds.
inline std::size_t OpenHandleCount(USHORT type) {
  std::size_t count = 0;
  for (const auto& entry : win_handles_detail::OwnHandles()) {
    if (entry.object_type_index == type) ++count;
  }
  return count;
}

}  // namespace zelora::testing
#endif
