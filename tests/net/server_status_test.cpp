#include "net/server_status.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace dkl {
namespace {

struct Posted {
  std::uint32_t message;
  std::uintptr_t wparam;
  std::intptr_t lparam;

  bool operator==(const Posted&) const = default;
};

struct StatusCase {
  ServerStatus status;
  Posted expected;
};

TEST(PostServerStatus, ZeroLatencyIsNotMistakenForAMissingOne) {
  const StatusCase cases[] = {
      {{.online = true, .latency_ms = 0, .latency_known = true}, {WM_APP_SERVER, 1, 0}},
      {{.online = true, .latency_ms = 37, .latency_known = true}, {WM_APP_SERVER, 1, 37}},
      {{.online = true, .latency_ms = std::numeric_limits<std::uint32_t>::max(), .latency_known = true},
       {WM_APP_SERVER, 1, std::intptr_t{std::numeric_limits<std::uint32_t>::max()}}},
      {{}, {WM_APP_SERVER, 0, -1}},
  };
  for (const StatusCase& c : cases) {
    std::vector<Posted> posted;
    const PostMessageFn collect = [&](std::uint32_t m, std::uintptr_t w, std::intptr_t l) {
      posted.push_back({m, w, l});
    };
    PostServerStatus(collect, c.status);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], c.expected) << c.status.latency_ms;
  }
}

}  // namespace
}  // namespace dkl
