// Drives the launcher's sync engine over real folders for ./dev bench, under Wine: a fresh install
// from a mirror, a full check and a quick check. It prints one line of name=value figures, which
// scripts/bench sets beside baselines it measures on the same data.
#include <windows.h>

#include <psapi.h>

#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/file_read_win.h"
#include "base/file_stat_win.h"
#include "base/scratch_buffer_win.h"
#include "base/worker_pool.h"
#include "core/launcher_state.h"
#include "net/download_to_file_win.h"
#include "net/http_request_win.h"
#include "net/http_session_win.h"
#include "update/install_state.h"
#include "update/manifest.h"
#include "update/manifest_path_win.h"
#include "update/manifest_validation.h"
#include "update/object_names.h"
#include "update/sync_win.h"

namespace {

constexpr std::uint64_t kManifestMaxBytes = 64 * 1048576;
constexpr int kQuickRuns = 3;
// As many transfers at once as a sync runs.
constexpr unsigned kFetchWorkers = 6;
// The download step's read size.
constexpr DWORD kReadChunkBytes = 262144;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The script passes Unix paths; Wine shows the Unix root as drive Z:.
std::filesystem::path FromUnixPath(const char* unix_path) {
  std::wstring path = L"Z:" + std::filesystem::path(unix_path).wstring();
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

// An unsigned manifest: the same parsing and validation as a signed one, without the envelope.
bool LoadFileList(const std::filesystem::path& path, std::vector<dkl::FileEntry>& files) {
  dkl::Bytes payload;
  if (!dkl::ReadWholeFile(path, kManifestMaxBytes, payload)) {
    std::fprintf(stderr, "sync_bench: cannot read the manifest\n");
    return false;
  }
  dkl::Manifest manifest;
  dkl::Status status = dkl::ParseManifest(payload, manifest);
  if (status.ok()) status = dkl::ValidateManifest(manifest);
  if (!status.ok()) {
    std::fprintf(stderr, "sync_bench: manifest refused: %s\n", status.message.c_str());
    return false;
  }
  files = std::move(manifest.files);
  return true;
}

std::uint64_t PeakWorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return counters.PeakWorkingSetSize;
}

std::uint64_t ListedBytes(const std::vector<dkl::FileEntry>& files) {
  std::uint64_t total = 0;
  for (const dkl::FileEntry& file : files) total += file.size;
  return total;
}

std::size_t DistinctContents(const std::vector<dkl::FileEntry>& files) {
  std::unordered_set<std::string> seen;
  for (const dkl::FileEntry& file : files) seen.insert(file.sha256);
  return seen.size();
}

// Plans into a folder without any file, then fetches and places everything, as a first start does.
int Install(const std::vector<dkl::FileEntry>& files, const std::filesystem::path& game, const std::string& mirror) {
  dkl::InstallState state;
  dkl::UpdateProgress progress;
  std::mutex state_lock;
  const dkl::PlacedFileCallback record = [&](const dkl::FileEntry& entry, const dkl::Known& known) {
    std::lock_guard hold(state_lock);
    state.files[entry.path] = known;
  };
  const dkl::HttpSession session = dkl::OpenHttpSession(dkl::MakeUserAgent());

  const Clock::time_point start = Clock::now();
  const std::vector<dkl::FileEntry> planned = dkl::PlanSync(game, files, state, false, progress);
  const dkl::Status status = dkl::RunSync(session, {mirror}, game, planned, progress, {}, record);
  const double seconds = SecondsSince(start);
  if (!status.ok()) {
    std::fprintf(stderr, "sync_bench: RunSync failed: %s\n", status.message.c_str());
    return 1;
  }
  if (state.files.size() != files.size()) {
    std::fprintf(stderr, "sync_bench: %zu of %zu files placed\n", state.files.size(), files.size());
    return 1;
  }
  std::printf("files=%zu contents=%zu travelled_bytes=%llu placed_bytes=%llu seconds=%.3f peak_working_set=%llu\n",
              files.size(), DistinctContents(planned), static_cast<unsigned long long>(progress.bytes_total.load()),
              static_cast<unsigned long long>(ListedBytes(planned)), seconds,
              static_cast<unsigned long long>(PeakWorkingSet()));
  return 0;
}

// The first entry of each distinct content: what a sync downloads.
std::vector<dkl::FileEntry> DistinctObjects(const std::vector<dkl::FileEntry>& files) {
  std::unordered_set<std::string> seen;
  std::vector<dkl::FileEntry> objects;
  for (const dkl::FileEntry& file : files) {
    if (seen.insert(file.sha256).second) objects.push_back(file);
  }
  return objects;
}

// Reads one object's body into the thread's scratch buffer and drops it: WinHTTP under Wine alone.
dkl::Status DiscardBody(const dkl::HttpSession& session, const std::string& url, std::uint64_t& received) {
  dkl::UrlParts parts;
  if (!dkl::CrackHttpUrl(url, parts)) return dkl::MakeStatus(dkl::StatusKind::Network, "bad url");
  dkl::RequestHandles handles;
  std::uint32_t status_code = 0;
  if (dkl::Status opened = dkl::OpenGetRequest(session.handle(), parts, 0, handles, status_code); !opened.ok()) {
    return opened;
  }
  if (status_code != 200) return dkl::MakeStatus(dkl::StatusKind::Network, "HTTP " + std::to_string(status_code));
  std::uint8_t* const chunk = dkl::ThreadScratch(dkl::ScratchUse::Download);
  while (true) {
    DWORD read = 0;
    if (!WinHttpReadData(handles.request, chunk, kReadChunkBytes, &read)) {
      return dkl::WinHttpFailure("read", GetLastError());
    }
    if (read == 0) return dkl::OkStatus();
    received += read;
  }
}

// Fetches every distinct object with six workers and nothing of a sync's other work, either into
// part files in `area` through the launcher's own download step, or into nothing at all. Splits a
// fresh install's time into what Wine's WinHTTP costs and what the sync adds.
int Fetch(const std::vector<dkl::FileEntry>& files, const std::filesystem::path& area, const std::string& mirror,
          bool to_disk) {
  const std::vector<dkl::FileEntry> objects = DistinctObjects(files);
  const dkl::HttpSession session = dkl::OpenHttpSession(dkl::MakeUserAgent());
  if (to_disk) std::filesystem::create_directories(area);
  std::atomic<std::size_t> next{0};
  std::atomic<std::uint64_t> bytes{0};
  std::atomic<bool> failed{false};
  std::mutex report_lock;
  const dkl::ProgressCallback ignore_progress = [](std::uint64_t) {};
  const Clock::time_point start = Clock::now();
  dkl::RunOnWorkers(kFetchWorkers, [&] {
    std::uint64_t received = 0;
    for (std::size_t index = next++; index < objects.size() && !failed; index = next++) {
      const dkl::FileEntry& object = objects[index];
      const std::string url = dkl::ObjectUrl(mirror, object.sha256, object.gz.has_value());
      dkl::Status status = to_disk ? dkl::DownloadToFile(session, url, area / dkl::PartFileName(object),
                                                         dkl::DownloadLength(object), ignore_progress, received)
                                   : DiscardBody(session, url, received);
      if (!status.ok()) {
        std::lock_guard hold(report_lock);
        std::fprintf(stderr, "sync_bench: %s: %s\n", url.c_str(), status.message.c_str());
        failed = true;
      }
    }
    bytes += received;
  });
  const double seconds = SecondsSince(start);
  if (failed) return 1;
  std::printf("objects=%zu bytes=%llu seconds=%.3f\n", objects.size(), static_cast<unsigned long long>(bytes.load()),
              seconds);
  return 0;
}

// Hashes every listed file; `planned` is 0 when the folder is exactly what the manifest lists.
int FullCheck(const std::vector<dkl::FileEntry>& files, const std::filesystem::path& game) {
  dkl::InstallState state;
  dkl::UpdateProgress progress;
  const Clock::time_point start = Clock::now();
  const std::vector<dkl::FileEntry> planned = dkl::PlanSync(game, files, state, true, progress);
  const double seconds = SecondsSince(start);
  std::printf("files=%zu bytes=%llu planned=%zu seconds=%.3f\n", files.size(),
              static_cast<unsigned long long>(ListedBytes(files)), planned.size(), seconds);
  return 0;
}

// The install state a finished sync leaves: each placed file's size and last-write time as it is on
// disk, with the listed sha256. Learning it by a full check instead would hash every file first.
bool RememberAsPlaced(const std::vector<dkl::FileEntry>& files, const std::filesystem::path& game,
                      dkl::InstallState& state) {
  for (const dkl::FileEntry& file : files) {
    std::filesystem::path path;
    dkl::FileStat stat;
    if (!dkl::ResolveManifestPath(game, file.path, path) || !dkl::StatFile(path, stat)) {
      std::fprintf(stderr, "sync_bench: %s is missing\n", file.path.c_str());
      return false;
    }
    state.files[file.path] = dkl::Known{stat.size, dkl::MtimeFromFileTime(stat.last_write_ticks), file.sha256};
  }
  return true;
}

// Times quick checks of an unchanged folder, each given the state its last sync left. Prints the
// median; `planned` is 0 when every size and time matched.
int QuickCheck(const std::vector<dkl::FileEntry>& files, const std::filesystem::path& game) {
  dkl::InstallState learned;
  if (!RememberAsPlaced(files, game, learned)) return 1;
  dkl::UpdateProgress progress;
  std::vector<double> times;
  std::size_t planned = 0;
  for (int run = 0; run < kQuickRuns; ++run) {
    dkl::InstallState state = learned;
    const Clock::time_point start = Clock::now();
    planned = dkl::PlanSync(game, files, state, false, progress).size();
    times.push_back(SecondsSince(start));
  }
  std::sort(times.begin(), times.end());
  std::printf("files=%zu planned=%zu runs=%d seconds=%.3f\n", files.size(), planned, kQuickRuns,
              times[times.size() / 2]);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: sync_bench install MANIFEST GAME_DIR MIRROR_URL\n"
               "       sync_bench fetch MANIFEST PART_DIR MIRROR_URL   (download only, to part files)\n"
               "       sync_bench discard MANIFEST - MIRROR_URL        (download only, bodies dropped)\n"
               "       sync_bench full MANIFEST GAME_DIR\n"
               "       sync_bench quick MANIFEST GAME_DIR\n"
               "MANIFEST is an unsigned manifest JSON; paths are Unix paths, reached through drive Z:.\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return Usage();
  const std::string command = argv[1];
  const bool with_mirror = command == "install" || command == "fetch" || command == "discard";
  if (with_mirror ? argc != 5 : argc != 4) return Usage();
  std::vector<dkl::FileEntry> files;
  if (!LoadFileList(FromUnixPath(argv[2]), files)) return 1;
  const std::filesystem::path game = FromUnixPath(argv[3]);
  if (command == "install") return Install(files, game, argv[4]);
  if (command == "fetch") return Fetch(files, game, argv[4], true);
  if (command == "discard") return Fetch(files, game, argv[4], false);
  if (command == "full") return FullCheck(files, game);
  if (command == "quick") return QuickCheck(files, game);
  return Usage();
}
