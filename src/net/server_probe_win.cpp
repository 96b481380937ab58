#include "net/server_probe_win.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdint>

namespace dkl {
namespace {

// The connect is only started here; select says whether it completed in time. A refusal lands in
// the exception set, so it does not wait out the timeout.
bool ConnectsWithin(SOCKET socket, const addrinfo& address, std::chrono::milliseconds timeout) {
  u_long non_blocking = 1;
  ioctlsocket(socket, FIONBIO, &non_blocking);
  connect(socket, address.ai_addr, static_cast<int>(address.ai_addrlen));

  fd_set writable;
  FD_ZERO(&writable);
  FD_SET(socket, &writable);
  fd_set failed;
  FD_ZERO(&failed);
  FD_SET(socket, &failed);
  const long ms = static_cast<long>(timeout.count());
  timeval wait{.tv_sec = ms / 1000, .tv_usec = (ms % 1000) * 1000};
  return select(0, nullptr, &writable, &failed, &wait) > 0 && FD_ISSET(socket, &writable);
}

ServerStatus ProbeAddresses(const ProbeTarget& target) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  const std::uint64_t start = GetTickCount64();
  addrinfo* addresses = nullptr;
  if (getaddrinfo(target.host.c_str(), target.service.c_str(), &hints, &addresses) != 0) return {};

  ServerStatus status;
  for (const addrinfo* address = addresses; address != nullptr && !status.online; address = address->ai_next) {
    const SOCKET socket = ::socket(address->ai_family, address->ai_socktype, address->ai_protocol);
    if (socket == INVALID_SOCKET) continue;
    if (ConnectsWithin(socket, *address, target.connect_timeout)) {
      status.online = true;
      status.latency_known = true;
      status.latency_ms = static_cast<std::uint32_t>(GetTickCount64()) - static_cast<std::uint32_t>(start);
    }
    closesocket(socket);
  }
  freeaddrinfo(addresses);
  return status;
}

}  // namespace

ServerStatus ProbeServer(const ProbeTarget& target) {
  WSADATA data{};
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return {};
  const ServerStatus status = ProbeAddresses(target);
  WSACleanup();
  return status;
}

void RunProbeTask(const PostMessageFn& post, const ProbeTarget& target) { PostServerStatus(post, ProbeServer(target)); }

}  // namespace dkl
