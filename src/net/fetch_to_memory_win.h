#pragma once

#include <cstdint>
#include <string_view>

#include "base/bytes.h"
#include "base/status.h"
#include "net/http_session_win.h"

namespace dkl {

// Fetches one small document whole into `body` (any 2xx answer), never above `max_bytes`: a larger
// Content-Length is refused before the body and a body that grows past it is cut off, both as kind
// manifest "too large". `body_timeout_ms` governs reading the body. After a failure `body` may hold
// part of the document and must not be used.
Status FetchToMemory(const HttpSession& session, std::string_view url, std::uint64_t max_bytes, Bytes& body,
                     std::uint32_t body_timeout_ms);

}  // namespace dkl
