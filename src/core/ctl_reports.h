// What dklctl prints on stdout for its probe, news and gpu commands: one JSON document each.
#pragma once

#include <string>
#include <vector>

#include "gfx/graphics_report.h"
#include "net/news_list.h"
#include "net/server_status.h"

namespace dkl {

// {"latency_ms": N or null, "online": bool}
std::string ServerStatusJson(const ServerStatus& status);

// An array of {"date", "summary", "title", "url"} objects, in the feed's order.
std::string NewsJson(const std::vector<NewsItem>& items);

// {"adapters": [...], "findings": [...], "level": N, "signature": "..."}
std::string GraphicsJson(const GraphicsReport& report);

}  // namespace dkl
