#include "update/sync_win.h"

#include <windows.h>

#include <atomic>
#include <mutex>

#include "base/text_win.h"
#include "base/worker_pool.h"
#include "update/file_placement_win.h"

namespace dkl {
namespace {

constexpr unsigned kDownloadWorkers = 6;

using ContentGroup = std::vector<FileEntry>;

// Groups keep the order of their first entry, entries keep plan order inside a group.
std::vector<ContentGroup> GroupByContent(const std::vector<FileEntry>& planned) {
  std::vector<ContentGroup> groups;
  std::unordered_map<std::string, std::size_t> group_of;
  for (const FileEntry& entry : planned) {
    const auto [slot, added] = group_of.try_emplace(entry.sha256, groups.size());
    if (added) groups.emplace_back();
    groups[slot->second].push_back(entry);
  }
  return groups;
}

std::uint64_t BytesToTravel(const std::vector<ContentGroup>& groups) {
  std::uint64_t total = 0;
  for (const ContentGroup& group : groups) total += group.front().gz ? *group.front().gz : group.front().size;
  return total;
}

// Shared by the workers of one run: which group comes next, and the first failure.
class RunRecord {
 public:
  explicit RunRecord(std::size_t groups) : groups_(groups) {}

  // The next group to handle, or none once the run failed or every group is taken.
  std::optional<std::size_t> NextGroup() {
    if (failed_.load()) return std::nullopt;
    const std::size_t group = next_.fetch_add(1);
    if (group >= groups_) return std::nullopt;
    return group;
  }

  // Keeps only the first failure; later ones are dropped.
  void Fail(Status status) {
    std::lock_guard hold(lock_);
    if (failed_.exchange(true)) return;
    first_failure_ = std::move(status);
  }

  bool failed() const { return failed_.load(); }
  Status first_failure() const {
    std::lock_guard hold(lock_);
    return first_failure_;
  }

 private:
  const std::size_t groups_;
  std::atomic<std::size_t> next_{0};
  std::atomic<bool> failed_{false};
  mutable std::mutex lock_;
  Status first_failure_;
};

// Lets the workers place files only once the caller's preparation has succeeded; the first worker
// that gets here runs it, the others wait for it and share its result.
class PlacementGate {
 public:
  explicit PlacementGate(const BeforeFirstPlacement& prepare) : prepare_(prepare) {}

  Status Pass() {
    std::lock_guard hold(lock_);
    if (!passed_) {
      passed_ = true;
      if (prepare_) result_ = prepare_();
    }
    return result_;
  }

 private:
  const BeforeFirstPlacement& prepare_;
  std::mutex lock_;
  bool passed_ = false;
  Status result_;
};

void RemoveDownloadArea(const std::filesystem::path& area) {
  if (RemoveDirectoryW(area.c_str()) || GetLastError() != ERROR_DIR_NOT_EMPTY) return;
  std::error_code ignored;
  std::filesystem::remove_all(area, ignored);
}

}  // namespace

std::filesystem::path DownloadArea(const std::filesystem::path& game_folder) {
  return game_folder / L".dklauncher" / L"tmp";
}

Status RunSync(const HttpSession& session, const std::vector<std::string>& mirrors,
               const std::filesystem::path& game_folder, const std::vector<FileEntry>& planned,
               UpdateProgress& progress, const BeforeFirstPlacement& before_first_placement,
               const PlacedFileCallback& on_placed, const AttemptPause& pause) {
  const std::filesystem::path area = DownloadArea(game_folder);
  std::error_code error;
  std::filesystem::create_directories(area, error);
  if (error || !std::filesystem::is_directory(area, error)) {
    return MakeStatus(StatusKind::Io, "create " + WideToUtf8(area.wstring()));
  }

  progress.files_total.store(planned.size());
  progress.files_done.store(0);
  progress.bytes_done.store(0);
  const std::vector<ContentGroup> groups = GroupByContent(planned);
  progress.bytes_total.store(BytesToTravel(groups));

  RunRecord run(groups.size());
  MirrorRanking ranking(mirrors);
  PlacementGate gate(before_first_placement);
  const auto work = [&] {
    while (const std::optional<std::size_t> next = run.NextGroup()) {
      const ContentGroup& group = groups[*next];
      {
        std::lock_guard hold(progress.lock);
        progress.current_item = group.front().path;
      }
      std::filesystem::path finished;
      Status status = FetchObject(session, ranking, group.front(), area, progress, finished, pause);
      if (status.ok()) status = gate.Pass();
      if (status.ok()) status = PlaceContentGroup(game_folder, group, finished, on_placed, progress);
      if (!status.ok()) return run.Fail(std::move(status));
    }
  };
  RunOnWorkers(kDownloadWorkers, work);

  if (run.failed()) return run.first_failure();
  RemoveDownloadArea(area);
  return OkStatus();
}

}  // namespace dkl
