#include "base/log_line.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

TEST(FormatLogLine, TimeVersionMessageAndOneLineFeed) {
  const struct {
    std::int64_t time;
    std::string_view message;
    std::string_view line;
  } cases[] = {
      {1765324800, "gpu: driver older than a year", "1765324800 v2.0.1 gpu: driver older than a year\n"},
      {0, "", "0 v2.0.1 \n"},
      {-5, "x", "-5 v2.0.1 x\n"},
      {1, "sync failed (rollback): ", "1 v2.0.1 sync failed (rollback): \n"},
      {2, "first\nsecond\r\n", "2 v2.0.1 first\nsecond\r\n\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatLogLine(c.time, c.message), c.line);
}

TEST(FormatLogLine, MessageBytesAreCopiedExactly) {
  const std::string message("a\0b\xff", 4);
  EXPECT_EQ(FormatLogLine(7, message), std::string("7 v2.0.1 a\0b\xff\n", 14));
}

}  // namespace
}  // namespace dkl
