#include "support/loopback_win.h"

namespace dkl::testing {

WinsockSession::WinsockSession() {
  WSADATA data{};
  ok_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSession::~WinsockSession() {
  if (ok_) WSACleanup();
}

sockaddr_in LoopbackAddress(std::uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  return address;
}

UniqueSocket ConnectLoopback(std::uint16_t port) {
  UniqueSocket socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (!socket) return {};
  const sockaddr_in address = LoopbackAddress(port);
  if (connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) return {};
  return socket;
}

std::uint16_t FreeLoopbackPort() {
  UniqueSocket socket(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  if (!socket) return 0;
  sockaddr_in address = LoopbackAddress(0);
  if (bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) return 0;
  int length = sizeof(address);
  if (getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

bool AcceptsConnections(std::uint16_t port) { return static_cast<bool>(ConnectLoopback(port)); }

}  // namespace dkl::testing
