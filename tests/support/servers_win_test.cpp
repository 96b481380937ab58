// The two servers the network tests stand on, checked on the wire with a raw Winsock client, so
// that no HTTP library decides what the bytes mean.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/fault_server_win.h"
#include "support/loopback_win.h"
#include "support/nginx_server_win.h"
#include "support/temp_dir.h"

namespace dkl::testing {

// How gtest shows a recorded request when a comparison fails.
void PrintTo(const SeenRequest& request, std::ostream* out) {
  *out << request.method << " " << request.path << " [" << request.range << "]";
}

namespace {

using Clock = std::chrono::steady_clock;

// Far above what any answer needs; reached only when a test is about to fail.
constexpr auto kAnswerLimit = std::chrono::seconds(2);

class RawConnection {
 public:
  explicit RawConnection(std::uint16_t port) : socket_(ConnectLoopback(port)) {}

  bool connected() const { return static_cast<bool>(socket_); }
  bool closed() const { return closed_; }
  std::string& received() { return received_; }

  bool Send(std::string_view bytes) {
    return send(socket_.get(), bytes.data(), static_cast<int>(bytes.size()), 0) == static_cast<int>(bytes.size());
  }

  // Receives until `enough` holds for what has arrived, the peer closes, or `limit` passes.
  bool ReadUntil(const std::function<bool(const std::string&)>& enough, Clock::duration limit) {
    const auto deadline = Clock::now() + limit;
    while (!enough(received_)) {
      const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
      if (closed_ || left.count() <= 0) return false;
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(socket_.get(), &readable);
      timeval wait{static_cast<long>(left.count() / 1000000), static_cast<long>(left.count() % 1000000)};
      if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
      char chunk[4096];
      const int got = recv(socket_.get(), chunk, sizeof(chunk), 0);
      if (got <= 0) {
        closed_ = true;
      } else {
        received_.append(chunk, static_cast<std::size_t>(got));
      }
    }
    return true;
  }

  // True when the peer closes within `limit`; what arrives before is kept.
  bool ClosesWithin(Clock::duration limit) {
    ReadUntil([](const std::string&) { return false; }, limit);
    return closed_;
  }

  // True when nothing arrives and the connection stays open for `period`.
  bool StaysSilentFor(Clock::duration period) {
    const std::size_t before = received_.size();
    ReadUntil([](const std::string&) { return false; }, period);
    return received_.size() == before && !closed_;
  }

 private:
  UniqueSocket socket_;
  std::string received_;
  bool closed_ = false;
};

struct RawAnswer {
  int status = 0;
  std::string head;
  std::string body;
};

// The value of header `name` (matched case-insensitively) in `head`, or "<none>".
std::string Header(const std::string& head, std::string_view name) {
  std::size_t line = head.find("\r\n");
  while (line != std::string::npos && line + 2 < head.size()) {
    const std::size_t start = line + 2;
    line = head.find("\r\n", start);
    const std::string text = head.substr(start, line == std::string::npos ? std::string::npos : line - start);
    if (text.size() > name.size() && text[name.size()] == ':' &&
        _strnicmp(text.c_str(), std::string(name).c_str(), name.size()) == 0) {
      return text.substr(text.find_first_not_of(' ', name.size() + 1));
    }
  }
  return "<none>";
}

// Takes one answer off the connection: the head, then Content-Length bytes when that is a number,
// else everything up to the close. nullopt when no complete head arrived.
std::optional<RawAnswer> ReadAnswer(RawConnection& connection) {
  const auto head_end = [](const std::string& text) { return text.find("\r\n\r\n"); };
  connection.ReadUntil([&](const std::string& text) { return head_end(text) != std::string::npos; }, kAnswerLimit);
  std::string& received = connection.received();
  const std::size_t end = head_end(received);
  if (end == std::string::npos || received.compare(0, 9, "HTTP/1.1 ") != 0) return std::nullopt;
  RawAnswer answer;
  answer.head = received.substr(0, end + 2);
  answer.status = std::atoi(received.c_str() + 9);
  received.erase(0, end + 4);

  const std::string length = Header(answer.head, "Content-Length");
  char* length_end = nullptr;
  const unsigned long declared = std::strtoul(length.c_str(), &length_end, 10);
  const bool framed = !length.empty() && *length_end == '\0';
  const std::size_t wanted = framed ? declared : std::string::npos;
  connection.ReadUntil([&](const std::string& text) { return text.size() >= wanted; }, kAnswerLimit);
  answer.body = received.substr(0, wanted);
  received.erase(0, answer.body.size());
  return answer;
}

std::string Get(std::string_view path, std::string_view extra_headers = "") {
  return "GET " + std::string(path) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + std::string(extra_headers) + "\r\n";
}

std::string Bytes0To255() {
  std::string bytes(256, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i);
  return bytes;
}

class NginxServerTest : public ::testing::Test {
 protected:
  // A space in every folder name, since the paths cross from Windows to Linux and a shell.
  std::filesystem::path root() const { return dir_ / "game files"; }

  WinsockSession winsock_;
  TempDir dir_;
};

TEST_F(NginxServerTest, ServesFilesAndAnswersRangesWith206OnOneConnection) {
  const std::string content = Bytes0To255();
  WriteFile(root() / "data dir" / "piece.bin", content);
  NginxServer server(root());
  ASSERT_TRUE(server.ok()) << server.log();
  EXPECT_EQ(server.url("/a?b"), "http://127.0.0.1:" + std::to_string(server.port()) + "/a?b");

  RawConnection connection(server.port());
  ASSERT_TRUE(connection.Send(Get("/data%20dir/piece.bin")));
  std::optional<RawAnswer> whole = ReadAnswer(connection);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->status, 200);
  EXPECT_EQ(whole->body, content);

  ASSERT_TRUE(connection.Send(Get("/data%20dir/piece.bin", "Range: bytes=250-\r\n")));
  std::optional<RawAnswer> tail = ReadAnswer(connection);
  ASSERT_TRUE(tail);
  EXPECT_EQ(tail->status, 206);
  EXPECT_EQ(Header(tail->head, "Content-Range"), "bytes 250-255/256");
  EXPECT_EQ(tail->body, content.substr(250));

  ASSERT_TRUE(connection.Send(Get("/missing.bin")));
  std::optional<RawAnswer> missing = ReadAnswer(connection);
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->status, 404);
}

TEST_F(NginxServerTest, PortRefusesConnectionsOnceTheServerIsDestroyed) {
  WriteFile(root() / "a.txt", "a");
  std::uint16_t port = 0;
  {
    NginxServer server(root());
    ASSERT_TRUE(server.ok()) << server.log();
    port = server.port();
    ASSERT_TRUE(AcceptsConnections(port));
  }
  EXPECT_FALSE(AcceptsConnections(port));
}

TEST_F(NginxServerTest, MissingRootIsReportedNotAwaited) {
  NginxServer server(root());
  EXPECT_FALSE(server.ok());
  EXPECT_NE(server.log().find("does not exist"), std::string::npos) << server.log();
  NginxServer deeper(root() / "never created");
  EXPECT_FALSE(deeper.ok());
  EXPECT_FALSE(deeper.log().empty());
}

class FaultServerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server_->ok()); }

  std::optional<RawAnswer> Exchange(RawConnection& connection, const std::string& request) {
    if (!connection.Send(request)) return std::nullopt;
    return ReadAnswer(connection);
  }

  WinsockSession winsock_;
  std::unique_ptr<FaultServer> server_ = std::make_unique<FaultServer>();
};

TEST_F(FaultServerTest, AnswersExactPathsAsRoutedAndOthersWith404OnOneConnection) {
  server_->Route("/hello", {.status = 200, .body = "hello"});
  server_->Route("/busy", {.status = 503, .body = "try later"});
  server_->Route("/q?v=2", {.status = 200, .body = "query"});
  struct Case {
    const char* path;
    int status;
    const char* body;
  };
  const Case cases[] = {
      {"/hello", 200, "hello"}, {"/busy", 503, "try later"}, {"/q?v=2", 200, "query"},
      {"/q", 404, "not found\n"}, {"/hello/", 404, "not found\n"},
  };
  RawConnection connection(server_->port());
  for (const Case& c : cases) {
    std::optional<RawAnswer> answer = Exchange(connection, Get(c.path));
    ASSERT_TRUE(answer) << c.path;
    EXPECT_EQ(answer->status, c.status) << c.path;
    EXPECT_EQ(answer->body, c.body) << c.path;
    EXPECT_EQ(Header(answer->head, "Content-Length"), std::to_string(answer->body.size())) << c.path;
  }
  EXPECT_FALSE(connection.closed());
  ASSERT_EQ(server_->requests().size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(server_->requests()[i].path, cases[i].path);
}

TEST_F(FaultServerTest, RecordsMethodPathAndRangeAndAnswersRangesInFull) {
  server_->Route("/file?x=1", {.body = "0123456789"});
  RawConnection connection(server_->port());
  // A head in two pieces, then a body the server must read past to find the next request.
  ASSERT_TRUE(connection.Send("GET /file?x=1 HTTP/1.1\r\nHost: 127.0.0.1\r\n"));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::optional<RawAnswer> ranged = Exchange(connection, "rAnGe:  bytes=4-\r\n\r\n");
  ASSERT_TRUE(ranged);
  EXPECT_EQ(ranged->status, 200);
  EXPECT_EQ(ranged->body, "0123456789");
  std::optional<RawAnswer> posted =
      Exchange(connection, "POST /form HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 5\r\n\r\nabcde");
  ASSERT_TRUE(posted);
  EXPECT_EQ(posted->status, 404);
  std::optional<RawAnswer> plain = Exchange(connection, Get("/file?x=1"));
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->status, 200);

  EXPECT_EQ(server_->requests(), (std::vector<SeenRequest>{{"GET", "/file?x=1", "bytes=4-"},
                                                            {"POST", "/form", ""},
                                                            {"GET", "/file?x=1", ""}}));
}

TEST_F(FaultServerTest, SendsFalseLengthsAndCutsAsRouted) {
  struct Case {
    const char* name;
    FaultResponse response;
    const char* content_length;
    const char* body;
  };
  const Case cases[] = {
      {"not a number", {.body = "0123456789", .content_length = "abc"}, "abc", "0123456789"},
      {"longer than the body", {.body = "0123456789", .content_length = "999999"}, "999999", "0123456789"},
      {"no length", {.body = "0123456789", .omit_content_length = true}, "<none>", "0123456789"},
      {"cut", {.body = "0123456789", .cut_after = 4}, "10", "0123"},
      {"cut at zero", {.body = "0123456789", .cut_after = 0}, "10", ""},
  };
  for (const Case& c : cases) {
    server_->Route("/fault", c.response);
    RawConnection connection(server_->port());
    std::optional<RawAnswer> answer = Exchange(connection, Get("/fault"));
    ASSERT_TRUE(answer) << c.name;
    EXPECT_EQ(Header(answer->head, "Content-Length"), c.content_length) << c.name;
    EXPECT_EQ(answer->body, c.body) << c.name;
    EXPECT_TRUE(connection.closed()) << c.name;
  }
}

TEST_F(FaultServerTest, StallSendsExactlyTheGivenBytesThenHoldsUntilTheServerStops) {
  server_->Route("/stall", {.body = "0123456789", .stall_after = 3});
  server_->Route("/hello", {.body = "hello"});
  RawConnection stalled(server_->port());
  ASSERT_TRUE(stalled.Send(Get("/stall")));
  ASSERT_TRUE(stalled.ReadUntil([](const std::string& text) { return text.find("\r\n\r\n012") != std::string::npos; },
                                kAnswerLimit));
  EXPECT_TRUE(stalled.received().ends_with("\r\n\r\n012")) << stalled.received();
  EXPECT_EQ(Header(stalled.received(), "Content-Length"), "10");
  EXPECT_TRUE(stalled.StaysSilentFor(std::chrono::milliseconds(200)));

  // Other connections are served while one stalls.
  RawConnection other(server_->port());
  std::optional<RawAnswer> answer = Exchange(other, Get("/hello"));
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->body, "hello");

  server_.reset();
  EXPECT_TRUE(stalled.ClosesWithin(kAnswerLimit)) << "stopping ends the stall";
  EXPECT_TRUE(stalled.received().ends_with("\r\n\r\n012")) << "and sends nothing more";
}

TEST_F(FaultServerTest, RedirectChainCanBeFollowedByLocation) {
  server_->Route("/r1", {.status = 302, .location = "/r2"});
  server_->Route("/r2", {.status = 307, .location = "/final?from=r2"});
  server_->Route("/final?from=r2", {.body = "arrived"});
  RawConnection connection(server_->port());
  std::string path = "/r1";
  std::vector<int> statuses;
  std::optional<RawAnswer> answer;
  for (int hop = 0; hop < 5; ++hop) {
    answer = Exchange(connection, Get(path));
    ASSERT_TRUE(answer) << path;
    statuses.push_back(answer->status);
    if (answer->status != 302 && answer->status != 307) break;
    path = Header(answer->head, "Location");
  }
  EXPECT_EQ(statuses, (std::vector<int>{302, 307, 200}));
  EXPECT_EQ(answer->body, "arrived");
  EXPECT_EQ(server_->requests().size(), 3u);
}

TEST_F(FaultServerTest, MalformedOrOversizedHeadsAreRefusedAndTheConnectionClosed) {
  const std::pair<std::string, int> cases[] = {
      {"garbage\r\n\r\n", 400},
      {"GET /hello HTTP/2.0\r\n\r\n", 400},
      {"GET  /hello HTTP/1.1\r\n\r\n", 400},
      {"GET /hello HTTP/1.1\r\nno colon here\r\n\r\n", 400},
      {"GET /hello HTTP/1.1\r\nContent-Length: -1\r\n\r\n", 400},
      {"GET /hello HTTP/1.1\r\nX-Padding: " + std::string(20000, 'x') + "\r\n\r\n", 431},
      {"GET /hello HTTP/1.1\r\nX-Padding: " + std::string(20000, 'x'), 431},
  };
  for (const auto& [request, status] : cases) {
    RawConnection connection(server_->port());
    std::optional<RawAnswer> answer = Exchange(connection, request);
    ASSERT_TRUE(answer) << request.substr(0, 40);
    EXPECT_EQ(answer->status, status) << request.substr(0, 40);
    EXPECT_TRUE(connection.ClosesWithin(kAnswerLimit)) << request.substr(0, 40);
  }
  EXPECT_TRUE(server_->requests().empty());
}

}  // namespace
}  // namespace dkl::testing
