#include "core/ctl_progress.h"

#include <cstdio>
#include <mutex>

#include "core/sync_outcome.h"

namespace dkl {
namespace {

std::string Mebibytes(std::uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / 1048576.0);
  return text;
}

std::string Fraction(std::uint64_t done, std::uint64_t total) {
  return std::to_string(done) + "/" + std::to_string(total);
}

}  // namespace

ProgressSnapshot TakeSnapshot(UpdateProgress& progress) {
  ProgressSnapshot snapshot;
  snapshot.phase = static_cast<UpdatePhase>(progress.phase.load());
  snapshot.files_done = progress.files_done.load();
  snapshot.files_total = progress.files_total.load();
  snapshot.bytes_done = progress.bytes_done.load();
  snapshot.bytes_total = progress.bytes_total.load();
  std::lock_guard hold(progress.lock);
  snapshot.current_item = progress.current_item;
  return snapshot;
}

std::string FormatProgressLine(const ProgressSnapshot& snapshot) {
  std::string line(UpdatePhaseName(snapshot.phase));
  switch (snapshot.phase) {
    case UpdatePhase::QuickCheck:
    case UpdatePhase::FullCheck:
      line += " " + Fraction(snapshot.files_done, snapshot.files_total) + " files";
      break;
    case UpdatePhase::Downloading:
      line += " " + Fraction(snapshot.files_done, snapshot.files_total) + " files, " +
              Mebibytes(snapshot.bytes_done) + "/" + Mebibytes(snapshot.bytes_total) + " MiB";
      if (!snapshot.current_item.empty()) line += " " + snapshot.current_item;
      break;
    case UpdatePhase::SelfUpdating:
      line += " " + Mebibytes(snapshot.bytes_done) + " MiB";
      break;
    default:
      break;
  }
  return line;
}

}  // namespace dkl
