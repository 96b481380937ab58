#include "update/object_fetch_win.h"

#include <windows.h>

#include <algorithm>
#include <thread>

#include "base/text_win.h"
#include "net/download_to_file_win.h"
#include "update/object_names.h"
#include "update/unpack_part_win.h"

namespace dkl {

void SleepBetweenAttempts(std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); }

Status FetchObject(const HttpSession& session, const std::vector<std::string>& mirrors, const FileEntry& entry,
                   const std::filesystem::path& download_area, UpdateProgress& progress,
                   std::filesystem::path& finished_file, const AttemptPause& pause) {
  Status pending = MakeStatus(StatusKind::Network, "no mirror");
  if (mirrors.empty()) return pending;
  const std::filesystem::path part = download_area / Utf8ToWide(PartFileName(entry));
  const std::filesystem::path finished = download_area / Utf8ToWide(FinishedFileName(entry));
  const std::size_t attempts = std::max<std::size_t>(3, 2 * mirrors.size());
  const ProgressCallback count = [&progress](std::uint64_t bytes) { progress.bytes_done.fetch_add(bytes); };

  std::uint64_t previous_attempt_bytes = 0;
  for (std::size_t attempt = 0; attempt < attempts; ++attempt) {
    if (attempt != 0) pause(std::chrono::milliseconds(400 * attempt));
    // A failed attempt's bytes come back as the next attempt's resumed length, never twice.
    progress.bytes_done.fetch_sub(previous_attempt_bytes);
    previous_attempt_bytes = 0;
    const std::string& mirror = mirrors[attempt % mirrors.size()];
    Status downloaded = DownloadToFile(session, ObjectUrl(mirror, entry.sha256, entry.gz.has_value()), part,
                                       DownloadLength(entry), count, previous_attempt_bytes);
    if (!downloaded.ok()) {
      if (downloaded.kind == StatusKind::Corrupt) DeleteFileW(part.c_str());
      pending = std::move(downloaded);
      continue;
    }
    Status unpacked = UnpackPart(part, entry, finished);
    if (unpacked.ok()) {
      finished_file = finished;
      return unpacked;
    }
    pending = std::move(unpacked);
  }
  return pending;
}

}  // namespace dkl
