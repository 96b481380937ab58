// Times OpenEnvelope on a signed manifest of 100,000 files, beside its two unavoidable parts measured
// on the same bytes in the same run: parsing the JSON alone and checking the signature alone.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "publishing/signing.h"
#include "update/base64.h"
#include "update/envelope.h"

namespace {

constexpr int kRuns = 7;
constexpr int kFiles = 100000;

std::string Hex64(unsigned value) {
  char text[65];
  for (int i = 0; i < 64; ++i) text[i] = "0123456789abcdef"[(value * 2654435761u >> (i % 28)) & 15];
  text[64] = '\0';
  return text;
}

std::string ManifestOf(int files) {
  nlohmann::json list = nlohmann::json::array();
  for (int i = 0; i < files; ++i) {
    list.push_back({{"path", "data/pack" + std::to_string(i / 1000) + "/file" + std::to_string(i) + ".dat"},
                    {"sha256", Hex64(static_cast<unsigned>(i))},
                    {"size", 1000 + i}});
  }
  nlohmann::json manifest = {{"schema", 2},
                             {"serial", 1},
                             {"game_exe", "data/pack0/file0.dat"},
                             {"client", {{"version", "1.0"}}},
                             {"files", list}};
  return manifest.dump();
}

template <typename Work>
double MedianMs(Work work) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: envelope_bench SECRET_KEY_HEX\n");
    return 2;
  }
  dkl::publishing::SigningKey key;
  if (!dkl::publishing::ParseSigningKeyHex(argv[1], key)) {
    std::fprintf(stderr, "envelope_bench: not a secret key\n");
    return 2;
  }
  const std::string manifest = ManifestOf(kFiles);
  const std::string envelope = dkl::publishing::MakeEnvelope(dkl::AsBytes(manifest), key);
  const auto signature = dkl::publishing::SignPayload(dkl::AsBytes(manifest), key);

  bool opened = true;
  const double open_ms = MedianMs([&] {
    dkl::Manifest parsed;
    opened = opened && dkl::OpenEnvelope(dkl::AsBytes(envelope), parsed).ok();
  });
  const double parse_ms = MedianMs([&] {
    const auto document = nlohmann::json::parse(manifest, nullptr, false, false);
    opened = opened && document.is_object();
  });
  const double verify_ms = MedianMs([&] {
    opened = opened && dkl::VerifyPayloadSignature(dkl::AsBytes(manifest), signature);
  });
  if (!opened) {
    std::fprintf(stderr, "envelope_bench: the envelope did not open (is the build's key the development key?)\n");
    return 1;
  }
  std::printf("OpenEnvelope, %d files, %.1f MiB envelope: %.1f ms (median of %d)\n", kFiles,
              static_cast<double>(envelope.size()) / 1048576.0, open_ms, kRuns);
  std::printf("  baseline: JSON parse alone %.1f ms + signature check alone %.1f ms = %.1f ms; ratio %.2f\n",
              parse_ms, verify_ms, parse_ms + verify_ms, open_ms / (parse_ms + verify_ms));
  return 0;
}
