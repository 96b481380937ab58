#include "update/sync_win.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>

#include "base/worker_pool.h"
#include "update/file_examine_win.h"

namespace dkl {
namespace {

constexpr unsigned kWorkersWhenUnknown = 4;
constexpr unsigned kMostWorkers = 8;

// Each worker writes only the slots of the indices it took, so the slots need no lock.
void ExamineFiles(const std::filesystem::path& game_folder, const std::vector<FileEntry>& files,
                  const InstallState& state, bool verify, UpdateProgress& progress,
                  std::vector<std::optional<Known>>& slots, std::atomic<std::size_t>& next) {
  for (;;) {
    const std::size_t index = next.fetch_add(1);
    if (index >= files.size()) return;
    const FileEntry& entry = files[index];
    const auto remembered = state.files.find(entry.path);
    const Known* known = remembered == state.files.end() ? nullptr : &remembered->second;
    slots[index] = ExamineFile(game_folder, entry, known, verify);
    progress.files_done.fetch_add(1);
  }
}

}  // namespace

unsigned PlanningWorkerCount(unsigned hardware_threads) {
  if (hardware_threads == 0) return kWorkersWhenUnknown;
  return std::min(hardware_threads, kMostWorkers);
}

std::vector<FileEntry> PlanSync(const std::filesystem::path& game_folder, const std::vector<FileEntry>& files,
                                InstallState& state, bool verify, UpdateProgress& progress) {
  progress.files_total.store(files.size());
  progress.files_done.store(0);
  progress.bytes_total.store(0);
  progress.bytes_done.store(0);

  std::vector<std::optional<Known>> slots(files.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&] { ExamineFiles(game_folder, files, state, verify, progress, slots, next); };
  RunOnWorkers(PlanningWorkerCount(std::thread::hardware_concurrency()), work);

  std::unordered_map<std::string, Known> seen;
  std::vector<FileEntry> planned;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (slots[i]) seen.try_emplace(files[i].path, *slots[i]);
    if (!slots[i] || slots[i]->sha256 != files[i].sha256) planned.push_back(files[i]);
  }
  state.files = std::move(seen);
  return planned;
}

}  // namespace dkl
