#include "ui/speed_estimate.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

TEST(SpeedEstimate, FirstRateIsTakenWholeLaterOnesWeighFifteenPercent) {
  SpeedEstimate estimate;
  RestartSpeedEstimate(estimate, 10'000);
  UpdateSpeedEstimate(estimate, 10'100, 100'000);  // 1 MB/s over 100 ms
  EXPECT_DOUBLE_EQ(estimate.bytes_per_second, 1'000'000);
  UpdateSpeedEstimate(estimate, 10'200, 300'000);  // 2 MB/s
  EXPECT_DOUBLE_EQ(estimate.bytes_per_second, 0.15 * 2'000'000 + 0.85 * 1'000'000);
  EXPECT_EQ(estimate.last_bytes, 300'000u);
  EXPECT_EQ(estimate.last_tick_ms, 10'200u);
}

TEST(SpeedEstimate, CounterGoingBackCountsAsNoProgress) {
  SpeedEstimate estimate;
  RestartSpeedEstimate(estimate, 0);
  UpdateSpeedEstimate(estimate, 1'000, 5'000);
  UpdateSpeedEstimate(estimate, 2'000, 1'000);  // a new phase restarted the counter
  EXPECT_DOUBLE_EQ(estimate.bytes_per_second, 0.85 * 5'000);
  EXPECT_EQ(estimate.last_bytes, 1'000u);
}

TEST(SpeedEstimate, TickInTheSameMillisecondOnlyMovesTheReference) {
  SpeedEstimate estimate;
  RestartSpeedEstimate(estimate, 500);
  UpdateSpeedEstimate(estimate, 500, 4'096);
  EXPECT_EQ(estimate.bytes_per_second, 0);
  EXPECT_EQ(estimate.last_bytes, 4'096u);
  // No bytes yet keeps "no estimate", so the panel shows no speed.
  UpdateSpeedEstimate(estimate, 600, 4'096);
  EXPECT_EQ(estimate.bytes_per_second, 0);
}

TEST(SpeedEstimate, RestartForgetsTheLastRun) {
  SpeedEstimate estimate{123, 456, 789};
  RestartSpeedEstimate(estimate, 1'000);
  EXPECT_EQ(estimate.bytes_per_second, 0);
  EXPECT_EQ(estimate.last_bytes, 0u);
  EXPECT_EQ(estimate.last_tick_ms, 1'000u);
}

}  // namespace
}  // namespace dkl
