#include "update/manifest_fetch_win.h"

#include "net/fetch_to_memory_win.h"
#include "update/manifest_fetch.h"

namespace dkl {

Status FetchManifest(const HttpSession& session, const std::vector<std::string>& mirrors, Manifest& manifest,
                     std::string& serving_base) {
  const FetchDocument fetch = [&session](const std::string& url, std::uint64_t max_bytes, Bytes& body,
                                         std::uint32_t timeout_ms) {
    return FetchToMemory(session, url, max_bytes, body, timeout_ms);
  };
  return FetchManifestOver(fetch, mirrors, manifest, serving_base);
}

}  // namespace dkl
