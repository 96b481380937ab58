#include "net/server_status.h"

namespace dkl {

void PostServerStatus(const PostMessageFn& post, const ServerStatus& status) {
  const std::intptr_t latency = status.latency_known ? static_cast<std::intptr_t>(status.latency_ms) : -1;
  post(WM_APP_SERVER, status.online ? 1 : 0, latency);
}

}  // namespace dkl
