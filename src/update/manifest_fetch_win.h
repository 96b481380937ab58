#pragma once

#include <string>
#include <vector>

#include "base/status.h"
#include "net/http_session_win.h"
#include "update/manifest.h"

namespace dkl {

// The manifest of the first mirror that serves a good one, over the launcher's HTTP session.
Status FetchManifest(const HttpSession& session, const std::vector<std::string>& mirrors, Manifest& manifest,
                     std::string& serving_base);

}  // namespace dkl
