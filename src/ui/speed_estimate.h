// The smoothed download speed the status panel shows, updated on every progress tick of a run.
#pragma once

#include <cstdint>

namespace dkl {

struct SpeedEstimate {
  std::uint64_t last_bytes = 0;
  std::uint64_t last_tick_ms = 0;
  double bytes_per_second = 0;  // 0: no estimate yet
};

// A run starts: no estimate, counting from `now_ms`.
void RestartSpeedEstimate(SpeedEstimate& estimate, std::uint64_t now_ms);

// One tick at `now_ms` with `bytes_done` downloaded so far. Each new rate weighs 15 % against the
// estimate; a counter that went back (a new phase) counts as no progress, and a tick in the same
// millisecond only moves the reference point.
void UpdateSpeedEstimate(SpeedEstimate& estimate, std::uint64_t now_ms, std::uint64_t bytes_done);

}  // namespace dkl
