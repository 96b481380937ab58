// ProbeServer over real Winsock against listeners the test opens on 127.0.0.1.
#include "net/server_probe_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/loopback_win.h"

namespace dkl {
namespace {

using namespace std::chrono_literals;
using testing::UniqueSocket;

struct Posted {
  std::uint32_t message;
  std::uintptr_t wparam;
  std::intptr_t lparam;
};

// A listener completes the handshake from its backlog, so it need not accept.
UniqueSocket Listen(std::uint16_t& port) {
  UniqueSocket listener(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in address = testing::LoopbackAddress(0);
  int length = sizeof(address);
  if (!listener || bind(listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener.get(), SOMAXCONN) != 0 ||
      getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return {};
  }
  port = ntohs(address.sin_port);
  return listener;
}

ProbeTarget Loopback(std::uint16_t port, std::chrono::milliseconds timeout = 4000ms) {
  return ProbeTarget{.host = "127.0.0.1", .service = std::to_string(port), .connect_timeout = timeout};
}

std::vector<Posted> RunTask(const ProbeTarget& target) {
  std::vector<Posted> posted;
  RunProbeTask([&](std::uint32_t m, std::uintptr_t w, std::intptr_t l) { posted.push_back({m, w, l}); }, target);
  return posted;
}

class ServerProbeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(winsock_.ok()); }

  testing::WinsockSession winsock_;
};

TEST_F(ServerProbeTest, ListeningServerIsOnlineWithALatency) {
  std::uint16_t port = 0;
  const UniqueSocket listener = Listen(port);
  ASSERT_TRUE(listener);

  const ServerStatus status = ProbeServer(Loopback(port));
  EXPECT_TRUE(status.online);
  EXPECT_TRUE(status.latency_known);
  EXPECT_LT(status.latency_ms, 4000u);

  const std::vector<Posted> posted = RunTask(Loopback(port));
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].message, WM_APP_SERVER);
  EXPECT_EQ(posted[0].wparam, 1u);
  EXPECT_GE(posted[0].lparam, 0);
}

TEST_F(ServerProbeTest, RefusedPortIsOfflineWithoutWaitingOutTheTimeout) {
  const std::uint16_t closed = testing::FreeLoopbackPort();
  ASSERT_NE(closed, 0);
  // A probe that missed the refusal would sit out the whole wait.
  const auto start = std::chrono::steady_clock::now();
  const std::vector<Posted> posted = RunTask(Loopback(closed, 20000ms));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].message, WM_APP_SERVER);
  EXPECT_EQ(posted[0].wparam, 0u);
  EXPECT_EQ(posted[0].lparam, -1);
}

TEST_F(ServerProbeTest, NameThatDoesNotResolveIsOffline) {
  // A label longer than 63 bytes is no DNS name: the resolver refuses it without sending a query.
  const ProbeTarget target{.host = std::string(64, 'x') + ".invalid", .service = "2600", .connect_timeout = 1000ms};
  const ServerStatus status = ProbeServer(target);
  EXPECT_FALSE(status.online);
  EXPECT_FALSE(status.latency_known);

  const std::vector<Posted> posted = RunTask(target);
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].wparam, 0u);
  EXPECT_EQ(posted[0].lparam, -1);
}

}  // namespace
}  // namespace dkl
