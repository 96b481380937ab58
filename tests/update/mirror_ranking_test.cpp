#include "update/mirror_ranking.h"

#include <gtest/gtest.h>

#include "update/part_origin.h"

namespace dkl {
namespace {

using Mirrors = std::vector<std::string>;

TEST(MirrorRanking, DistrustedMirrorsGoLastTheLatestLastOfAll) {
  MirrorRanking ranking({"a", "b", "c"});
  ranking.Distrust("a");
  EXPECT_EQ(ranking.Order(), (Mirrors{"b", "c", "a"}));
  ranking.Distrust("b");
  EXPECT_EQ(ranking.Order(), (Mirrors{"c", "a", "b"}));
  EXPECT_TRUE(ranking.Distrusted("a"));
  EXPECT_FALSE(ranking.Distrusted("c"));
  ranking.Distrust("unknown");
  EXPECT_EQ(ranking.Order(), (Mirrors{"c", "a", "b"}));
  EXPECT_FALSE(ranking.Distrusted("unknown"));
}

TEST(MirrorTurns, CycleInRankingOrderAndFollowItWhenItChanges) {
  MirrorRanking ranking({"a", "b"});
  MirrorTurns turns(ranking);
  EXPECT_EQ(turns.Next(), "a");
  EXPECT_EQ(turns.Next(), "b");
  EXPECT_EQ(turns.Next(), "a");
  EXPECT_EQ(turns.Next(), "b");

  // After "a" broke off and "b" completed garbage: "a" goes last, and the least tried comes next.
  MirrorTurns after_a_failed_proof(ranking);
  EXPECT_EQ(after_a_failed_proof.Next(), "a");
  EXPECT_EQ(after_a_failed_proof.Next(), "b");
  ranking.Distrust("a");
  EXPECT_EQ(after_a_failed_proof.Next(), "b");
  EXPECT_EQ(after_a_failed_proof.Next(), "a");

  MirrorRanking none({});
  EXPECT_EQ(MirrorTurns(none).Next(), "");
}

TEST(PartOrigin, AFailedProofBlamesWhomItCan) {
  const struct {
    const char* name;
    bool earlier_bytes;
    std::vector<std::pair<std::string, bool>> answers;  // mirror, started over; each wrote bytes
    Mirrors suspects;
  } cases[] = {
      {"one mirror wrote it all", false, {{"a", true}}, {"a"}},
      {"one mirror resumed itself", false, {{"a", true}, {"a", false}}, {"a"}},
      {"one broke off, another completed", false, {{"a", true}, {"b", false}}, {"a"}},
      {"three wrote it", false, {{"a", true}, {"b", false}, {"c", false}}, {"a", "b"}},
      {"an earlier run began it", true, {{"b", false}}, {}},
      {"complete from an earlier run", true, {}, {}},
      {"started over after a broken start", false, {{"a", true}, {"b", true}}, {"b"}},
      {"started over after an earlier run", true, {{"b", true}}, {"b"}},
  };
  for (const auto& c : cases) {
    PartOrigin origin(c.earlier_bytes);
    for (const auto& [mirror, started_over] : c.answers) origin.Record(mirror, started_over, 100);
    EXPECT_EQ(origin.Suspects(), c.suspects) << c.name;
  }
}

TEST(PartOrigin, KnowsWhetherADistrustedMirrorWroteAnyOfIt) {
  MirrorRanking ranking({"a", "b"});
  PartOrigin origin(false);
  origin.Record("a", true, 100);
  origin.Record("b", false, 0);  // answered, but added nothing
  ranking.Distrust("b");
  EXPECT_FALSE(origin.WrittenByDistrusted(ranking));
  ranking.Distrust("a");
  EXPECT_TRUE(origin.WrittenByDistrusted(ranking));
  origin.Discard();
  EXPECT_FALSE(origin.WrittenByDistrusted(ranking));
  EXPECT_TRUE(origin.Suspects().empty());
}

}  // namespace
}  // namespace dkl
