// Winsock pieces the test servers and their tests share: start-up, an owned socket, and the
// questions "which loopback port is free" and "does this port accept connections".
#pragma once

#include <winsock2.h>

#include <cstdint>
#include <utility>

namespace dkl::testing {

// Winsock counts start-ups, so every user holds its own session for as long as it needs sockets.
class WinsockSession {
 public:
  WinsockSession();
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  ~WinsockSession();

  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

class UniqueSocket {
 public:
  UniqueSocket() = default;
  explicit UniqueSocket(SOCKET socket) : socket_(socket) {}
  UniqueSocket(UniqueSocket&& other) noexcept : socket_(std::exchange(other.socket_, INVALID_SOCKET)) {}
  UniqueSocket& operator=(UniqueSocket&& other) noexcept {
    if (this != &other) {
      reset();
      socket_ = std::exchange(other.socket_, INVALID_SOCKET);
    }
    return *this;
  }
  UniqueSocket(const UniqueSocket&) = delete;
  UniqueSocket& operator=(const UniqueSocket&) = delete;
  ~UniqueSocket() { reset(); }

  SOCKET get() const { return socket_; }
  explicit operator bool() const { return socket_ != INVALID_SOCKET; }

  void reset() {
    if (socket_ != INVALID_SOCKET) closesocket(std::exchange(socket_, INVALID_SOCKET));
  }

 private:
  SOCKET socket_ = INVALID_SOCKET;
};

// 127.0.0.1:`port`.
sockaddr_in LoopbackAddress(std::uint16_t port);

// A TCP socket connected to 127.0.0.1:`port`, or an empty one when the connection is refused.
UniqueSocket ConnectLoopback(std::uint16_t port);

// A port the system had free a moment ago (bound to 127.0.0.1:0 and released), or 0.
std::uint16_t FreeLoopbackPort();

// True when a TCP connection to 127.0.0.1:`port` succeeds; the connection is closed again at once.
bool AcceptsConnections(std::uint16_t port);

}  // namespace dkl::testing
