#include "update/manifest_fetch.h"

#include "update/envelope.h"

namespace dkl {
namespace {

constexpr std::uint32_t kManifestBodyTimeoutMs = 20000;

}  // namespace

Status FetchManifestOver(const FetchDocument& fetch, const std::vector<std::string>& mirrors, Manifest& manifest,
                         std::string& serving_base) {
  Status pending = MakeStatus(StatusKind::Offline, "no mirrors");
  Bytes body;
  for (const std::string& base : mirrors) {
    Status fetched = fetch(base + "/manifest.json", kManifestCapBytes, body, kManifestBodyTimeoutMs);
    if (!fetched.ok()) {
      if (fetched.kind == StatusKind::Network) fetched.kind = StatusKind::Offline;
      pending = std::move(fetched);
      continue;
    }
    Status opened = OpenEnvelope(body, manifest);
    if (opened.ok()) {
      serving_base = base;
      return opened;
    }
    pending = std::move(opened);
  }
  return pending;
}

}  // namespace dkl
