#include "update/object_fetch_win.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <thread>

#include "base/file_stat_win.h"
#include "base/text_win.h"
#include "net/download_to_file_win.h"
#include "update/object_names.h"
#include "update/part_origin.h"
#include "update/unpack_part_win.h"

namespace dkl {
namespace {

bool HoldsBytes(const std::filesystem::path& part) {
  FileStat stat;
  return StatFile(part, stat) && !stat.directory && stat.size > 0;
}

void DistrustAll(MirrorRanking& ranking, const std::vector<std::string>& mirrors) {
  for (const std::string& mirror : mirrors) ranking.Distrust(mirror);
}

// One download attempt from `mirror`, recorded in `origin`: the first increment is the length it
// resumed from, 0 when the part was started over.
Status Download(const HttpSession& session, const std::string& mirror, const FileEntry& entry,
                const std::filesystem::path& part, UpdateProgress& progress, PartOrigin& origin,
                std::uint64_t& attempt_bytes) {
  std::optional<std::uint64_t> resumed;
  const ProgressCallback count = [&](std::uint64_t bytes) {
    if (!resumed) resumed = bytes;
    progress.bytes_done.fetch_add(bytes);
  };
  Status downloaded = DownloadToFile(session, ObjectUrl(mirror, entry.sha256, entry.gz.has_value()), part,
                                     DownloadLength(entry), count, attempt_bytes);
  if (resumed) origin.Record(mirror, *resumed == 0, attempt_bytes - *resumed);
  return downloaded;
}

}  // namespace

void SleepBetweenAttempts(std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); }

Status FetchObject(const HttpSession& session, MirrorRanking& ranking, const FileEntry& entry,
                   const std::filesystem::path& download_area, UpdateProgress& progress,
                   std::filesystem::path& finished_file, const AttemptPause& pause) {
  Status pending = MakeStatus(StatusKind::Network, "no mirror");
  const std::size_t mirrors = ranking.Order().size();
  if (mirrors == 0) return pending;
  const std::filesystem::path part = download_area / Utf8ToWide(PartFileName(entry));
  const std::filesystem::path finished = download_area / Utf8ToWide(FinishedFileName(entry));
  const std::size_t attempts = std::max<std::size_t>(3, 2 * mirrors);
  MirrorTurns turns(ranking);
  PartOrigin origin(HoldsBytes(part));

  std::uint64_t previous_attempt_bytes = 0;
  for (std::size_t attempt = 0; attempt < attempts; ++attempt) {
    if (attempt != 0) pause(std::chrono::milliseconds(400 * attempt));
    // A failed attempt's bytes come back as the next attempt's resumed length, never twice.
    progress.bytes_done.fetch_sub(previous_attempt_bytes);
    previous_attempt_bytes = 0;
    // Bytes of a mirror that failed a proof are never resumed, whoever would continue them.
    if (origin.WrittenByDistrusted(ranking)) {
      DeleteFileW(part.c_str());
      origin.Discard();
    }
    const std::string mirror = turns.Next();
    Status downloaded = Download(session, mirror, entry, part, progress, origin, previous_attempt_bytes);
    if (!downloaded.ok()) {
      // Only a body longer than the object is corrupt here: that mirror alone sent it.
      if (downloaded.kind == StatusKind::Corrupt) {
        DeleteFileW(part.c_str());
        origin.Discard();
        ranking.Distrust(mirror);
      }
      pending = std::move(downloaded);
      continue;
    }
    Status unpacked = UnpackPart(part, entry, finished);
    if (unpacked.ok()) {
      finished_file = finished;
      return unpacked;
    }
    if (unpacked.kind == StatusKind::Corrupt) DistrustAll(ranking, origin.Suspects());
    origin.Discard();  // the unpack deleted the part, whatever failed
    pending = std::move(unpacked);
  }
  return pending;
}

}  // namespace dkl
