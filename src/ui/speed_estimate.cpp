#include "ui/speed_estimate.h"

namespace dkl {

void RestartSpeedEstimate(SpeedEstimate& estimate, std::uint64_t now_ms) {
  estimate = SpeedEstimate{0, now_ms, 0};
}

void UpdateSpeedEstimate(SpeedEstimate& estimate, std::uint64_t now_ms, std::uint64_t bytes_done) {
  const double seconds = static_cast<double>(now_ms - estimate.last_tick_ms) / 1000.0;
  if (seconds > 0) {
    const std::uint64_t delta = bytes_done > estimate.last_bytes ? bytes_done - estimate.last_bytes : 0;
    double rate = static_cast<double>(delta) / seconds;
    if (estimate.bytes_per_second != 0) rate = 0.15 * rate + 0.85 * estimate.bytes_per_second;
    estimate.bytes_per_second = rate;
  }
  estimate.last_tick_ms = now_ms;
  estimate.last_bytes = bytes_done;
}

}  // namespace dkl
