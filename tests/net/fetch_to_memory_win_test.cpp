// FetchToMemory over real WinHTTP against a local server that misbehaves on request.
#include "net/fetch_to_memory_win.h"

#include <gtest/gtest.h>

#include "support/fault_server_win.h"
#include "support/loopback_win.h"

namespace dkl {
namespace {

using testing::FaultResponse;
using testing::FaultServer;

class FetchToMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_.ok()); }

  Status Fetch(std::string_view path, std::uint64_t max_bytes, std::uint32_t timeout_ms = 5000) {
    return FetchToMemory(session_, server_.url(path), max_bytes, body_, timeout_ms);
  }

  FaultServer server_;
  HttpSession session_ = OpenHttpSession(MakeUserAgent());
  Bytes body_;
};

TEST_F(FetchToMemoryTest, BodiesUpToTheCapArriveWhole) {
  const std::string exact(200000, 'e');
  server_.Route("/empty", FaultResponse{.body = ""});
  server_.Route("/exact", FaultResponse{.body = exact});
  server_.Route("/partial", FaultResponse{.status = 206, .body = "part"});

  ASSERT_TRUE(Fetch("/empty", 10).ok());
  EXPECT_TRUE(body_.empty());
  const Status status = Fetch("/exact", exact.size());
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_EQ(AsText(body_), exact);
  ASSERT_TRUE(Fetch("/partial", 10).ok());
  EXPECT_EQ(AsText(body_), "part");
}

TEST_F(FetchToMemoryTest, TooLargeBodiesAreRefused) {
  server_.Route("/one-over", FaultResponse{.body = std::string(200001, 'o')});
  server_.Route("/declared", FaultResponse{.body = "short", .content_length = "5000000"});
  server_.Route("/unframed", FaultResponse{.body = std::string(3000, 'u'), .omit_content_length = true});
  const std::pair<const char*, std::uint64_t> cases[] = {
      {"/one-over", 200000}, {"/declared", 4999999}, {"/unframed", 2999}};
  for (const auto& [path, cap] : cases) {
    const Status status = Fetch(path, cap);
    EXPECT_EQ(status.kind, StatusKind::Manifest) << path;
    EXPECT_EQ(status.message, "too large") << path;
  }
}

TEST_F(FetchToMemoryTest, DeclaredLengthAboveTheCapIsRefusedBeforeTheBody) {
  // The body would stall forever: only a refusal before reading returns at once.
  server_.Route("/declared", FaultResponse{.body = std::string(100, 'd'), .content_length = "100", .stall_after = 0});
  const Status status = Fetch("/declared", 99, 30000);
  EXPECT_EQ(status.message, "too large");
}

TEST_F(FetchToMemoryTest, ContentLengthThatIsNotANumberDoesNotStopTheFetch) {
  server_.Route("/not-a-number", FaultResponse{.body = "abc", .content_length = "many"});
  const Status status = Fetch("/not-a-number", 10);
  EXPECT_TRUE(status.ok()) << status.message;
}

TEST_F(FetchToMemoryTest, StatusOutside2xxIsANetworkFailure) {
  server_.Route("/gone", FaultResponse{.status = 404, .body = "not here"});
  server_.Route("/broken", FaultResponse{.status = 500, .body = ""});
  for (const auto& [path, message] : {std::pair{"/gone", "HTTP 404"}, {"/broken", "HTTP 500"}, {"/unrouted", "HTTP 404"}}) {
    const Status status = Fetch(path, 1000);
    EXPECT_EQ(status.kind, StatusKind::Network) << path;
    EXPECT_EQ(status.message, message) << path;
  }
}

TEST_F(FetchToMemoryTest, StalledBodyFailsInTheReadStepAfterTheBodyTimeout) {
  server_.Route("/stall", FaultResponse{.body = std::string(1000, 's'), .stall_after = 100});
  const Status status = Fetch("/stall", 5000, 300);
  EXPECT_EQ(status.kind, StatusKind::Network);
  // Windows reports ERROR_WINHTTP_TIMEOUT (12002); Wine passes on the socket's WSAETIMEDOUT (10060).
  EXPECT_EQ(status.message.rfind("read (WinHTTP ", 0), 0u) << status.message;
}

TEST_F(FetchToMemoryTest, BodyCutShortIsAFailureNotASmallerDocument) {
  server_.Route("/cut", FaultResponse{.body = std::string(1000, 'c'), .cut_after = 100});
  const Status status = Fetch("/cut", 5000);
  EXPECT_EQ(status.kind, StatusKind::Network);
  EXPECT_TRUE(status.message == "short body" || status.message.rfind("read (WinHTTP ", 0) == 0) << status.message;
}

TEST_F(FetchToMemoryTest, ThreeRedirectsAreFollowedAndAFourthIsNot) {
  for (const char* hop : {"/a1", "/a2", "/a3", "/b1", "/b2", "/b3", "/b4"}) {
    std::string next = std::string(hop).substr(0, 2) + char(hop[2] + 1);
    if (next == "/a4" || next == "/b5") next = "/final";
    server_.Route(hop, FaultResponse{.status = 302, .body = "", .location = next});
  }
  server_.Route("/final", FaultResponse{.body = "arrived"});

  const Status three = Fetch("/a1", 100);
  ASSERT_TRUE(three.ok()) << three.message;
  EXPECT_EQ(AsText(body_), "arrived");

  const std::size_t before = server_.requests().size();
  EXPECT_FALSE(Fetch("/b1", 100).ok());
  const auto requests = server_.requests();
  ASSERT_EQ(requests.size(), before + 4);
  EXPECT_EQ(requests.back().path, "/b4");
}

TEST_F(FetchToMemoryTest, NeitherSessionNorUrlNorServer) {
  const struct {
    Status status;
    const char* message;
  } cases[] = {
      {FetchToMemory(HttpSession(), server_.url("/x"), 10, body_, 1000), "no WinHTTP session"},
      {FetchToMemory(session_, "ftp://127.0.0.1/x", 10, body_, 1000), "bad url"},
      {FetchToMemory(session_, "http:///x", 10, body_, 1000), "bad url"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.status.kind, StatusKind::Network);
    EXPECT_EQ(c.status.message, c.message);
  }
  const Status refused =
      FetchToMemory(session_, "http://127.0.0.1:" + std::to_string(testing::FreeLoopbackPort()) + "/x", 10, body_, 1000);
  EXPECT_EQ(refused.kind, StatusKind::Network);
  EXPECT_EQ(refused.message.find(" (WinHTTP 12029)") != std::string::npos, true) << refused.message;
}

}  // namespace
}  // namespace dkl
