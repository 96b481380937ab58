// The live state of update runs: written by the update worker and the sync engine, read by the window.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace dkl {

enum class UpdatePhase : std::int32_t {
  Searching = 0,
  QuickCheck = 1,
  FullCheck = 2,
  Downloading = 3,
  SelfUpdating = 4,
  Ready = 5,
  Offline = 6,
  Failed = 7,
};

struct UpdateProgress {
  std::atomic<std::int32_t> phase{static_cast<std::int32_t>(UpdatePhase::Searching)};
  std::atomic<std::uint64_t> bytes_done{0};
  std::atomic<std::uint64_t> bytes_total{0};
  std::atomic<std::uint64_t> files_done{0};
  std::atomic<std::uint64_t> files_total{0};
  std::mutex lock;  // guards current_item only
  std::string current_item;
};

struct LauncherState {
  LauncherState() = default;
  LauncherState(const LauncherState&) = delete;
  LauncherState& operator=(const LauncherState&) = delete;
  ~LauncherState();

  UpdateProgress progress;
  std::atomic<bool> busy{false};
  std::atomic<bool> playable{false};
  std::mutex game_exe_lock;  // guards game_exe only
  std::string game_exe;
  std::thread worker;  // touched by the main thread only
};

}  // namespace dkl
