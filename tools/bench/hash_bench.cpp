// Times hashing one large file the way the launcher does (on Windows HashFile itself; on Linux the same
// 1 MiB read loop over the same Sha256), once with the compressor the CPU selects and once with the
// portable one. With a baseline it checks the digest and prints the ratio to the baseline's speed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "update/sha256.h"

#if defined(_WIN32)
#include "update/file_hash_win.h"
#endif

namespace {

constexpr int kRuns = 3;

#if defined(_WIN32)

constexpr const char* kReader = "HashFile";

std::string HashSelected(const std::filesystem::path& path) { return dkl::HashFile(path); }

std::string HashPortable(const std::filesystem::path& path) {
  dkl::Sha256 hash = dkl::Sha256::Portable();
  return dkl::FeedFile(path, hash) ? dkl::Sha256Hex(hash.Finish()) : std::string();
}

#else

constexpr const char* kReader = "1 MiB read loop";
constexpr std::size_t kChunkBytes = 1048576;

// Unbuffered, so that each fread is one read straight into the page-aligned chunk.
std::string HashWith(const std::filesystem::path& path, dkl::Sha256 hash) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return {};
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  const std::unique_ptr<void, void (*)(void*)> buffer(std::aligned_alloc(4096, kChunkBytes), &std::free);
  if (!buffer) return {};
  auto* const bytes = static_cast<std::uint8_t*>(buffer.get());
  while (true) {
    const std::size_t got = std::fread(bytes, 1, kChunkBytes, file.get());
    hash.Update(dkl::ByteView(bytes, got));
    if (got < kChunkBytes) break;
  }
  return std::ferror(file.get()) ? std::string() : dkl::Sha256Hex(hash.Finish());
}

std::string HashSelected(const std::filesystem::path& path) { return HashWith(path, dkl::Sha256()); }
std::string HashPortable(const std::filesystem::path& path) { return HashWith(path, dkl::Sha256::Portable()); }

#endif

struct Timing {
  double mb_per_s = 0;
  std::string digest;
};

using HashOfFile = std::string (*)(const std::filesystem::path&);

// Median speed of kRuns runs in MB/s (10^6 bytes), and the digest, empty if any run failed or differed.
Timing Measure(HashOfFile hash, const std::filesystem::path& path, std::uint64_t bytes) {
  Timing timing;
  std::vector<double> speeds;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    const std::string digest = hash(path);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (digest.empty() || (run > 0 && digest != timing.digest)) return {};
    timing.digest = digest;
    speeds.push_back(static_cast<double>(bytes) / 1e6 / seconds);
  }
  std::sort(speeds.begin(), speeds.end());
  timing.mb_per_s = speeds[speeds.size() / 2];
  return timing;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 4) {
    std::fprintf(stderr, "usage: hash_bench FILE [EXPECTED_SHA256 BASELINE_MB_PER_S]\n");
    return 2;
  }
  const std::filesystem::path path = argv[1];
  std::error_code error;
  const std::uint64_t bytes = std::filesystem::file_size(path, error);
  if (error) {
    std::fprintf(stderr, "hash_bench: cannot read %s\n", argv[1]);
    return 2;
  }
  const std::string expected = argc == 4 ? argv[2] : "";
  const double baseline = argc == 4 ? std::atof(argv[3]) : 0;

  const struct {
    const char* compressor;
    HashOfFile hash;
  } cases[] = {
      {dkl::Sha256UsesShaExtensions() ? "SHA extensions" : "selected (this CPU has no SHA extensions)", &HashSelected},
      {"portable", &HashPortable},
  };
  for (const auto& [compressor, hash] : cases) {
    const Timing timing = Measure(hash, path, bytes);
    if (timing.digest.empty() || (!expected.empty() && timing.digest != expected)) {
      std::fprintf(stderr, "hash_bench: %s, %s: wrong digest %s\n", kReader, compressor, timing.digest.c_str());
      return 1;
    }
    std::printf("%s, %s: %.0f MB/s (median of %d)", kReader, compressor, timing.mb_per_s, kRuns);
    if (baseline > 0) std::printf("; ratio to baseline %.2f", timing.mb_per_s / baseline);
    std::printf("\n");
  }
  return 0;
}
