// The one result type of every fallible operation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dkl {

// The values are stable: they appear in logs and map to the window's messages.
enum class StatusKind : int {
  Ok = 0,
  Offline = 1,
  Signature = 2,
  Rollback = 3,
  Manifest = 4,
  Corrupt = 5,
  GameRunning = 6,
  Network = 7,
  DiskFull = 8,
  Denied = 9,
  Io = 10,
  Busy = 11,
  Invalid = 12,
};

struct Status {
  StatusKind kind = StatusKind::Ok;
  std::string message;  // UTF-8; empty on success

  bool ok() const { return kind == StatusKind::Ok; }
};

inline Status OkStatus() { return {}; }
inline Status MakeStatus(StatusKind kind, std::string message) { return {kind, std::move(message)}; }

// The snake_case word that stands for a kind in the launcher log; "invalid" for unknown values.
std::string_view StatusWord(StatusKind kind);

// Access, sharing and lock errors are denied, the two disk-full errors disk_full, the rest io.
StatusKind KindForWindowsError(std::uint32_t error);

// `prefix` followed by " (error N)", with the kind that the Windows error maps to.
Status StatusFromWindowsError(std::uint32_t error, std::string_view prefix);

}  // namespace dkl
