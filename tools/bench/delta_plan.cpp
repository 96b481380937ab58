// What a differential update from one release of a game to the next would fetch, for given chunking
// parameters: for each changed file that has an older version at its path and is large enough to be
// indexed, the new file's chunks that the old file lacks (each distinct chunk once), in runs of
// adjacent chunks that each take one Range request, plus the new file's index; every other changed
// or added content as its whole object (gzip where the site has it), as today. A file whose estimate
// comes close to its whole object is counted whole, as a launcher would fetch it.
//
// With --throughput it times instead, on one file read from the page cache: the cut-point search
// alone, SHA-256 alone, and both as an index is built.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "update/chunk_index.h"
#include "update/chunk_index_builder.h"
#include "update/manifest.h"

namespace {

constexpr std::size_t kReadBytes = 1048576;

struct Options {
  std::string old_game, old_manifest, new_game, new_manifest, throughput_file;
  std::vector<dkl::ChunkParams> params;
  std::vector<std::uint64_t> thresholds;
  std::uint64_t threshold = 0;  // the one being measured
  double fallback_ratio = 0.8;
  std::uint64_t merge_gap = 0;  // runs this close are fetched as one range, the bytes between them too
  std::uint64_t rsync_literal = 0;
  bool verbose = false;
};

using Reader = std::function<void(dkl::ByteView)>;

// Streams a file through `reader` in 1 MiB pieces from a page-aligned buffer; false when unreadable.
bool ReadFile(const std::string& path, const Reader& reader) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const std::unique_ptr<void, void (*)(void*)> buffer(std::aligned_alloc(4096, kReadBytes), &std::free);
  auto* const bytes = static_cast<std::uint8_t*>(buffer.get());
  bool ok = true;
  while (true) {
    const ssize_t got = read(fd, bytes, kReadBytes);
    if (got < 0) ok = false;
    if (got <= 0) break;
    reader(dkl::ByteView(bytes, static_cast<std::size_t>(got)));
  }
  close(fd);
  return ok;
}

dkl::ChunkIndex IndexOf(const std::string& path, const dkl::ChunkParams& params) {
  dkl::ChunkIndexBuilder builder(params);
  if (!ReadFile(path, [&](dkl::ByteView piece) { builder.Feed(piece); })) {
    std::fprintf(stderr, "delta_plan: cannot read %s\n", path.c_str());
    std::exit(1);
  }
  return builder.Finish();
}

bool LoadManifest(const std::string& path, dkl::Manifest& manifest) {
  dkl::Bytes bytes;
  if (!ReadFile(path, [&](dkl::ByteView piece) { bytes.insert(bytes.end(), piece.begin(), piece.end()); })) {
    return false;
  }
  return dkl::ParseManifest(bytes, manifest).ok();
}

struct DigestHash {
  std::size_t operator()(const dkl::Sha256Digest& digest) const {
    std::size_t value;
    std::memcpy(&value, digest.data(), sizeof value);
    return value;
  }
};

// One changed content, as a launcher would fetch it.
struct Fetch {
  std::string path;
  std::uint64_t size = 0;
  std::uint64_t whole = 0;        // the object's download length
  std::string old_path;           // the older version at the same path, when the file is indexed
  std::uint64_t chunk_bytes = 0;  // the chunks that travel
  std::uint64_t index_bytes = 0;
  std::uint64_t ranges = 0;
  std::uint64_t chunks = 0;
  bool differential = false;
};

void PlanDifferential(const Options& options, const dkl::ChunkParams& params, Fetch& fetch) {
  const dkl::ChunkIndex old_index = IndexOf(options.old_game + "/" + fetch.old_path, params);
  const dkl::ChunkIndex new_index = IndexOf(options.new_game + "/" + fetch.path, params);
  std::unordered_set<dkl::Sha256Digest, DigestHash> present;
  for (const dkl::ChunkRecord& chunk : old_index.chunks) present.insert(chunk.sha256);
  // Runs of chunks to fetch, as [start, end) offsets in the new file.
  std::vector<std::pair<std::uint64_t, std::uint64_t>> runs;
  std::uint64_t offset = 0;
  for (const dkl::ChunkRecord& chunk : new_index.chunks) {
    if (present.insert(chunk.sha256).second) {
      if (!runs.empty() && runs.back().second + options.merge_gap >= offset) {
        runs.back().second = offset + chunk.length;
      } else {
        runs.emplace_back(offset, offset + chunk.length);
      }
    }
    offset += chunk.length;
  }
  for (const auto& [start, end] : runs) fetch.chunk_bytes += end - start;
  fetch.ranges = runs.size();
  fetch.chunks = new_index.chunks.size();
  fetch.index_bytes = dkl::SerializeChunkIndex(new_index).size();
  fetch.differential =
      static_cast<double>(fetch.chunk_bytes + fetch.index_bytes) < options.fallback_ratio * static_cast<double>(fetch.whole);
}

std::vector<Fetch> ChangedContents(const Options& options, const dkl::Manifest& old_manifest,
                                   const dkl::Manifest& new_manifest) {
  std::map<std::string, const dkl::FileEntry*> old_by_path;
  for (const dkl::FileEntry& entry : old_manifest.files) old_by_path[entry.path] = &entry;
  std::unordered_set<std::string> seen;
  std::vector<Fetch> fetches;
  for (const dkl::FileEntry& entry : new_manifest.files) {
    const auto old = old_by_path.find(entry.path);
    if (old != old_by_path.end() && old->second->sha256 == entry.sha256) continue;
    if (!seen.insert(entry.sha256).second) continue;
    Fetch fetch;
    fetch.path = entry.path;
    fetch.size = entry.size;
    fetch.whole = entry.gz.value_or(entry.size);
    if (old != old_by_path.end() && entry.size >= options.threshold) fetch.old_path = old->first;
    fetches.push_back(std::move(fetch));
  }
  return fetches;
}

double Mb(std::uint64_t bytes) { return static_cast<double>(bytes) / 1e6; }

double Ratio(std::uint64_t part, std::uint64_t whole) {
  return whole ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

void PlanAll(const Options& options, const dkl::ChunkParams& params, std::vector<Fetch>& fetches) {
  // One thread per core: the large files dominate and are independent.
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next++) < fetches.size();) {
      if (!fetches[i].old_path.empty()) PlanDifferential(options, params, fetches[i]);
    }
  };
  std::thread helper(work);
  work();
  helper.join();
}

struct Totals {
  std::uint64_t chunk_bytes = 0, index_bytes = 0, whole_bytes = 0, all_whole = 0;
  std::uint64_t requests = 0, chunks = 0, chunked_size = 0;
};

Totals Add(const std::vector<Fetch>& fetches) {
  Totals totals;
  for (const Fetch& fetch : fetches) {
    totals.all_whole += fetch.whole;
    if (!fetch.differential) {
      totals.whole_bytes += fetch.whole;
      ++totals.requests;
      continue;
    }
    totals.chunk_bytes += fetch.chunk_bytes;
    totals.index_bytes += fetch.index_bytes;
    totals.requests += fetch.ranges + 1;  // the index is one more request
    totals.chunks += fetch.chunks;
    totals.chunked_size += fetch.size;
  }
  return totals;
}

void PrintFile(const Fetch& fetch) {
  std::printf("    %s: %s, %.3f MB of chunks in %llu ranges, index %.3f MB, whole object %.3f MB\n", fetch.path.c_str(),
              fetch.differential ? "differential" : "whole", Mb(fetch.chunk_bytes),
              static_cast<unsigned long long>(fetch.ranges), Mb(fetch.index_bytes), Mb(fetch.whole));
}

void PrintRow(const Options& options, const dkl::ChunkParams& params, const std::vector<Fetch>& fetches) {
  const Totals totals = Add(fetches);
  const std::uint64_t total = totals.chunk_bytes + totals.index_bytes + totals.whole_bytes;
  char label[48];
  std::snprintf(label, sizeof label, "%g/%g/%g", params.min_size / 1024.0, params.avg_size / 1024.0,
                params.max_size / 1024.0);
  std::printf("  %-15s %9.2f %8.1f %9.2f %8.2f %9.2f %9.2f %8llu %7.2f %7.4f\n", label,
              static_cast<double>(options.threshold) / 1048576,
              totals.chunks ? static_cast<double>(totals.chunked_size) / static_cast<double>(totals.chunks) / 1024 : 0,
              Mb(totals.chunk_bytes), Mb(totals.index_bytes), Mb(totals.whole_bytes), Mb(total),
              static_cast<unsigned long long>(totals.requests), Ratio(total - totals.index_bytes, options.rsync_literal),
              Ratio(total, totals.all_whole));
  if (options.verbose) {
    for (const Fetch& fetch : fetches) {
      if (!fetch.old_path.empty()) PrintFile(fetch);
    }
  }
}

int Plan(Options options) {
  dkl::Manifest old_manifest;
  dkl::Manifest new_manifest;
  if (!LoadManifest(options.old_manifest, old_manifest) || !LoadManifest(options.new_manifest, new_manifest)) {
    std::fprintf(stderr, "delta_plan: cannot read the manifests\n");
    return 1;
  }
  const Totals whole = Add(ChangedContents(options, old_manifest, new_manifest));
  std::printf("%llu changed or added contents, %.2f MB as whole objects (gzip where the site has it)\n",
              static_cast<unsigned long long>(whole.requests), Mb(whole.all_whole));
  std::printf("  %-15s %9s %8s %9s %8s %9s %9s %8s %7s %7s\n", "min/avg/max KiB", "from MiB", "mean KiB", "chunks MB",
              "index MB", "whole MB", "total MB", "requests", "/rsync", "/whole");
  for (const dkl::ChunkParams& params : options.params) {
    for (const std::uint64_t threshold : options.thresholds) {
      options.threshold = threshold;
      std::vector<Fetch> fetches = ChangedContents(options, old_manifest, new_manifest);
      PlanAll(options, params, fetches);
      PrintRow(options, params, fetches);
    }
  }
  return 0;
}

// Median MB/s of three passes over `path` (already in the page cache) through `consume`.
template <typename Consume>
double Throughput(const std::string& path, Consume consume) {
  std::vector<double> speeds;
  for (int run = 0; run < 3; ++run) {
    std::uint64_t bytes = 0;
    const auto start = std::chrono::steady_clock::now();
    ReadFile(path, [&](dkl::ByteView piece) {
      consume(piece);
      bytes += piece.size();
    });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    speeds.push_back(static_cast<double>(bytes) / 1e6 / seconds);
  }
  std::sort(speeds.begin(), speeds.end());
  return speeds[1];
}

int MeasureThroughput(const Options& options) {
  const dkl::ChunkParams params = options.params.front();
  const double read = Throughput(options.throughput_file, [](dkl::ByteView) {});
  const double cutter = Throughput(options.throughput_file, [&, cutter = dkl::ChunkCutter(params)](dkl::ByteView piece) mutable {
    while (const std::optional<std::size_t> cut = cutter.FindCut(piece)) piece = piece.subspan(*cut);
  });
  dkl::Sha256 sha;
  const double hash = Throughput(options.throughput_file, [&](dkl::ByteView piece) { sha.Update(piece); });
  dkl::ChunkIndexBuilder builder(params);
  const double both = Throughput(options.throughput_file, [&](dkl::ByteView piece) { builder.Feed(piece); });
  (void)builder.Finish();
  std::printf("read loop alone %.0f MB/s; cut points alone %.0f MB/s; SHA-256 (%s) alone %.0f MB/s; "
              "index (cut points and a SHA-256 per chunk) %.0f MB/s, %.2f of SHA-256 alone\n",
              read, cutter, dkl::Sha256UsesShaExtensions() ? "SHA extensions" : "portable", hash, both, both / hash);
  return 0;
}

bool ParseParams(const char* text, dkl::ChunkParams& params) {
  unsigned min = 0, avg = 0, max = 0;
  char tail = 0;
  if (std::sscanf(text, "%u,%u,%u%c", &min, &avg, &max, &tail) != 3) return false;
  params = {min, avg, max};
  return dkl::AreValidChunkParams(params);
}

bool ParseOptions(int argc, char** argv, Options& options) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--params" && has_value) {
      dkl::ChunkParams params;
      if (!ParseParams(argv[++i], params)) return false;
      options.params.push_back(params);
    } else if (arg == "--threshold" && has_value) {
      options.thresholds.push_back(std::strtoull(argv[++i], nullptr, 10));
    } else if (arg == "--fallback" && has_value) {
      options.fallback_ratio = std::atof(argv[++i]);
    } else if (arg == "--merge-gap" && has_value) {
      options.merge_gap = std::strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--rsync" && has_value) {
      options.rsync_literal = std::strtoull(argv[++i], nullptr, 10);
    } else if (arg == "--throughput" && has_value) {
      options.throughput_file = argv[++i];
    } else if (arg == "--verbose") {
      options.verbose = true;
    } else if (arg.starts_with("--")) {
      return false;
    } else {
      positional.push_back(arg);
    }
  }
  if (options.params.empty()) return false;
  if (options.thresholds.empty()) options.thresholds.push_back(0);
  if (!options.throughput_file.empty()) return positional.empty();
  if (positional.size() != 4) return false;
  options.old_game = positional[0];
  options.old_manifest = positional[1];
  options.new_game = positional[2];
  options.new_manifest = positional[3];
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: delta_plan OLD_GAME OLD_MANIFEST_JSON NEW_GAME NEW_MANIFEST_JSON --params MIN,AVG,MAX...\n"
                 "                  [--threshold BYTES]... [--fallback RATIO] [--merge-gap BYTES] [--rsync LITERAL_BYTES]\n"
                 "                  [--verbose]\n"
                 "       delta_plan --throughput FILE --params MIN,AVG,MAX\n");
    return 2;
  }
  return options.throughput_file.empty() ? Plan(options) : MeasureThroughput(options);
}
