#include "core/version_compare.h"

#include <string>

#include <gtest/gtest.h>

namespace dkl {
namespace {

struct ParseCase {
  const char* text;
  VersionNumbers numbers;
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << ::testing::PrintToString(std::string(c.text)); }

class ParseVersionTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseVersionTest, ReadsUpToThreeNumbers) {
  EXPECT_EQ(ParseVersion(GetParam().text), GetParam().numbers) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseVersionTest,
    ::testing::Values(ParseCase{"2.0.1", {2, 0, 1}}, ParseCase{"", {0, 0, 0}}, ParseCase{"3", {3, 0, 0}},
                      ParseCase{"3.4", {3, 4, 0}}, ParseCase{"1.2.3.4", {1, 2, 3}},
                      ParseCase{"1.2.3.4.5", {1, 2, 3}}, ParseCase{"v2.x.7", {0, 0, 7}},
                      ParseCase{"2.1-beta.3", {2, 1, 3}}, ParseCase{" 2.\t3.\n4", {2, 3, 4}},
                      ParseCase{"2 .3", {2, 3, 0}}, ParseCase{"+2.-3.4", {0, 0, 4}},
                      ParseCase{"..5", {0, 0, 5}}, ParseCase{"007.010.0", {7, 10, 0}},
                      ParseCase{"4294967295.4294967296.99999999999", {4294967295u, 4294967295u, 4294967295u}}));

struct OrderCase {
  const char* left;
  const char* right;
  std::strong_ordering order;
};

void PrintTo(const OrderCase& c, std::ostream* out) { *out << c.left << " vs " << c.right; }

class CompareVersionsTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(CompareVersionsTest, MajorFirstThenMinorThenPatch) {
  const OrderCase& c = GetParam();
  EXPECT_TRUE(CompareVersions(c.left, c.right) == c.order) << c.left << " vs " << c.right;
  EXPECT_TRUE(CompareVersions(c.right, c.left) == 0 <=> c.order) << c.right << " vs " << c.left;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareVersionsTest,
    ::testing::Values(OrderCase{"2.0.1", "2.0.1", std::strong_ordering::equal},
                      OrderCase{"2.0.2", "2.0.1", std::strong_ordering::greater},
                      OrderCase{"2.1.0", "2.0.9", std::strong_ordering::greater},
                      OrderCase{"3.0.0", "2.99.99", std::strong_ordering::greater},
                      OrderCase{"2.0.10", "2.0.9", std::strong_ordering::greater},
                      OrderCase{"2.0.1.9", "2.0.1", std::strong_ordering::equal},
                      OrderCase{"2.0", "2.0.0", std::strong_ordering::equal},
                      OrderCase{"2.0.x", "2.0.0", std::strong_ordering::equal},
                      OrderCase{"2147483648.0.0", "2147483647.0.0", std::strong_ordering::greater},
                      OrderCase{"1.99", "2", std::strong_ordering::less}));

}  // namespace
}  // namespace dkl
