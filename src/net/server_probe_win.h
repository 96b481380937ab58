// Whether the game server accepts TCP connections, and how long reaching it took. Nothing is sent.
#pragma once

#include <chrono>
#include <string>

#include <dkl/build_settings.h>
#include "net/server_status.h"
#include "net/task_messages.h"

namespace dkl {

// The game server by default; tests aim at their own listeners and wait less.
struct ProbeTarget {
  std::string host = kGameServerHost;
  std::string service = "2600";
  std::chrono::milliseconds connect_timeout{4000};  // per address
};

// Resolves the host and tries its addresses in order until one completes a connection. Blocks for
// at most the resolution plus one connect timeout per address; every failure is simply offline.
// The latency counts from before the resolution, so it includes every address tried.
ServerStatus ProbeServer(const ProbeTarget& target = ProbeTarget());

// The body of a probe thread: probes once and posts WM_APP_SERVER.
void RunProbeTask(const PostMessageFn& post, const ProbeTarget& target = ProbeTarget());

}  // namespace dkl
