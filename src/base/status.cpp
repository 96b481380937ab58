#include "base/status.h"

namespace dkl {

std::string_view StatusWord(StatusKind kind) {
  switch (kind) {
    case StatusKind::Ok: return "ok";
    case StatusKind::Offline: return "offline";
    case StatusKind::Signature: return "signature";
    case StatusKind::Rollback: return "rollback";
    case StatusKind::Manifest: return "manifest";
    case StatusKind::Corrupt: return "corrupt";
    case StatusKind::GameRunning: return "game_running";
    case StatusKind::Network: return "network";
    case StatusKind::DiskFull: return "disk_full";
    case StatusKind::Denied: return "denied";
    case StatusKind::Io: return "io";
    case StatusKind::Busy: return "busy";
    case StatusKind::Invalid: return "invalid";
  }
  return "invalid";
}

StatusKind KindForWindowsError(std::uint32_t error) {
  constexpr std::uint32_t kAccessDenied = 5;
  constexpr std::uint32_t kSharingViolation = 32;
  constexpr std::uint32_t kLockViolation = 33;
  constexpr std::uint32_t kHandleDiskFull = 39;
  constexpr std::uint32_t kDiskFull = 112;
  switch (error) {
    case kAccessDenied:
    case kSharingViolation:
    case kLockViolation:
      return StatusKind::Denied;
    case kHandleDiskFull:
    case kDiskFull:
      return StatusKind::DiskFull;
    default:
      return StatusKind::Io;
  }
}

Status StatusFromWindowsError(std::uint32_t error, std::string_view prefix) {
  std::string message(prefix);
  message += " (error " + std::to_string(error) + ")";
  return {KindForWindowsError(error), std::move(message)};
}

}  // namespace dkl
