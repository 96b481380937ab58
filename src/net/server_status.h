// The result of one probe of the game server, and how it travels to the window.
#pragma once

#include <cstdint>

#include "net/task_messages.h"

namespace dkl {

struct ServerStatus {
  bool online = false;           // a connection to one of the server's addresses completed
  std::uint32_t latency_ms = 0;  // only meaningful when latency_known
  bool latency_known = false;    // set together with online
};

// Posts WM_APP_SERVER: a latency of 0 goes out as lParam 0, a missing one as -1.
void PostServerStatus(const PostMessageFn& post, const ServerStatus& status);

}  // namespace dkl
