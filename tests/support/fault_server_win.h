// An HTTP/1.1 server inside the test process that answers every path exactly as routed, including
// the ways servers and networks fail a download: false lengths, stalls, cut connections, redirects.
// Range headers are recorded but never honoured, so a ranged request is answered with 200 unless a
// route says otherwise.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/loopback_win.h"
#include "support/seen_request.h"

namespace dkl::testing {

// Every member has an initializer, so that designated initializers may name only what a test changes.
struct FaultResponse {
  int status = 200;
  std::string body{};
  // Sent as the Content-Length header instead of the true length ("abc", "999999"); the server closes
  // the connection after the body, since what follows could not be framed.
  std::optional<std::string> content_length{};
  // No Content-Length; the connection is closed to end the body.
  bool omit_content_length = false;
  // Sends this many body bytes, then holds the connection open, sending nothing, until the server stops.
  std::size_t stall_after = std::string::npos;
  // Sends this many body bytes, then closes the connection.
  std::size_t cut_after = std::string::npos;
  // The Location header, when not empty.
  std::string location{};
};

class FaultServer {
 public:
  FaultServer();
  FaultServer(const FaultServer&) = delete;
  FaultServer& operator=(const FaultServer&) = delete;
  // Ends stalls and kept-alive connections and joins every thread.
  ~FaultServer();

  bool ok() const { return static_cast<bool>(listener_); }
  std::uint16_t port() const { return port_; }
  // "http://127.0.0.1:PORT" followed by `path`, which starts with a slash.
  std::string url(std::string_view path) const;

  // Answers requests whose target equals `path` (query included) with `response`; other paths get 404.
  void Route(std::string path, FaultResponse response);
  // Every request head received so far, in arrival order.
  std::vector<SeenRequest> requests() const;

 private:
  void AcceptConnections();
  void Serve(UniqueSocket connection);
  // False when the connection is to be closed after this answer.
  bool Answer(SOCKET connection, const std::string& method, const std::string& path, bool client_closes);
  FaultResponse ResponseFor(const std::string& path) const;
  // True once data (or the peer's close) waits on `socket`; false when the server stops or select fails.
  bool WaitReadable(SOCKET socket) const;
  bool ReceiveMore(SOCKET socket, std::string& buffer) const;
  void HoldUntilStopped();

  WinsockSession winsock_;
  UniqueSocket listener_;
  std::uint16_t port_ = 0;

  mutable std::mutex mutex_;
  std::condition_variable stopped_;
  std::atomic<bool> stopping_{false};  // set under mutex_, so that stalls waiting on stopped_ see it
  std::map<std::string, FaultResponse> routes_;
  std::vector<SeenRequest> requests_;

  std::vector<std::thread> connections_;  // only the acceptor adds, only the destructor joins
  std::thread acceptor_;
};

}  // namespace dkl::testing
