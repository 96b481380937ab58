#include "base/status.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

TEST(StatusWord, EveryKindHasItsLogWord) {
  const std::pair<StatusKind, const char*> cases[] = {
      {StatusKind::Ok, "ok"},           {StatusKind::Offline, "offline"},
      {StatusKind::Signature, "signature"}, {StatusKind::Rollback, "rollback"},
      {StatusKind::Manifest, "manifest"}, {StatusKind::Corrupt, "corrupt"},
      {StatusKind::GameRunning, "game_running"}, {StatusKind::Network, "network"},
      {StatusKind::DiskFull, "disk_full"}, {StatusKind::Denied, "denied"},
      {StatusKind::Io, "io"},           {StatusKind::Busy, "busy"},
      {StatusKind::Invalid, "invalid"},
  };
  for (const auto& [kind, word] : cases) EXPECT_EQ(StatusWord(kind), word) << static_cast<int>(kind);
}

TEST(StatusWord, UnknownValuesReadAsInvalid) {
  EXPECT_EQ(StatusWord(static_cast<StatusKind>(13)), "invalid");
  EXPECT_EQ(StatusWord(static_cast<StatusKind>(-1)), "invalid");
}

TEST(StatusFromWindowsError, MapsKindAndAppendsTheCode) {
  const struct {
    std::uint32_t error;
    StatusKind kind;
  } cases[] = {
      {5, StatusKind::Denied},    {32, StatusKind::Denied}, {33, StatusKind::Denied},
      {39, StatusKind::DiskFull}, {112, StatusKind::DiskFull}, {0, StatusKind::Io},
      {2, StatusKind::Io},        {4294967295u, StatusKind::Io},
  };
  for (const auto& c : cases) {
    const Status status = StatusFromWindowsError(c.error, "replace settings.json");
    EXPECT_EQ(status.kind, c.kind) << c.error;
    EXPECT_EQ(status.message, "replace settings.json (error " + std::to_string(c.error) + ")");
  }
}

TEST(StatusFromWindowsError, FullDiskWhileStaging) {
  const Status status = StatusFromWindowsError(112, "write state.json.tmp");
  EXPECT_EQ(status.kind, StatusKind::DiskFull);
  EXPECT_EQ(status.message, "write state.json.tmp (error 112)");
  EXPECT_FALSE(status.ok());
}

}  // namespace
}  // namespace dkl
