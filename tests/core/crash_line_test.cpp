#include "core/crash_line.h"

#include <cstdint>
#include <ostream>
#include <string_view>

#include <gtest/gtest.h>

namespace dkl {
namespace {

struct CrashLineCase {
  const char* name;
  std::uint32_t code;
  std::uint64_t address;
  std::string_view expected;
};

void PrintTo(const CrashLineCase& tested, std::ostream* out) { *out << tested.name; }

class CrashLineFormat : public ::testing::TestWithParam<CrashLineCase> {};

TEST_P(CrashLineFormat, PadsBothNumbersInUppercaseHex) {
  EXPECT_EQ(FormatCrashLine(GetParam().code, GetParam().address).view(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CrashLineFormat,
    ::testing::Values(
        CrashLineCase{"AccessViolation", 0xC0000005u, 0x00007FF6A1B2C3D4u,
                      "v2.0.1 exception 0xC0000005 at 00007FF6A1B2C3D4\n"},
        CrashLineCase{"NoExceptionRecord", 0, 0, "v2.0.1 exception 0x00000000 at 0000000000000000\n"},
        CrashLineCase{"SmallValuesArePadded", 0x5u, 0xABu, "v2.0.1 exception 0x00000005 at 00000000000000AB\n"},
        CrashLineCase{"LargestValues", 0xFFFFFFFFu, 0xFFFFFFFFFFFFFFFFu,
                      "v2.0.1 exception 0xFFFFFFFF at FFFFFFFFFFFFFFFF\n"}),
    [](const ::testing::TestParamInfo<CrashLineCase>& tested) { return tested.param.name; });

}  // namespace
}  // namespace dkl
