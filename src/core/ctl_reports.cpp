#include "core/ctl_reports.h"

#include <nlohmann/json.hpp>

#include "base/json_object.h"

namespace dkl {

std::string ServerStatusJson(const ServerStatus& status) {
  nlohmann::json document = {{"online", status.online}, {"latency_ms", nullptr}};
  if (status.latency_known) document["latency_ms"] = status.latency_ms;
  return DumpJson(document, -1);
}

std::string NewsJson(const std::vector<NewsItem>& items) {
  nlohmann::json document = nlohmann::json::array();
  for (const NewsItem& item : items) {
    document.push_back({{"date", item.date}, {"title", item.title}, {"summary", item.summary}, {"url", item.url}});
  }
  return DumpJson(document, -1);
}

std::string GraphicsJson(const GraphicsReport& report) {
  nlohmann::json adapters = nlohmann::json::array();
  for (const GraphicsAdapter& adapter : report.adapters) {
    adapters.push_back({{"name", adapter.name},
                        {"vendor_id", adapter.vendor_id},
                        {"device_id", adapter.device_id},
                        {"driver_version", adapter.driver_version},
                        {"video_memory_mib", adapter.video_memory_mib},
                        {"software", adapter.software}});
  }
  const nlohmann::json document = {{"adapters", adapters},
                                   {"level", static_cast<int>(report.level)},
                                   {"findings", report.findings},
                                   {"signature", GraphicsSignature(report)}};
  return DumpJson(document, -1);
}

}  // namespace dkl
