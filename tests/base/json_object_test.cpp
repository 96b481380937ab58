#include "base/json_object.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

nlohmann::json Parse(std::string_view text) { return ParseJsonObject(AsBytes(text)); }

TEST(ParseJsonObject, AcceptsOneObjectWithSurroundingWhiteSpace) {
  const nlohmann::json document = Parse(" \r\n\t{\"a\": 1, \"b\": [true]} \n");
  ASSERT_TRUE(document.is_object());
  EXPECT_EQ(document.size(), 2u);
  EXPECT_EQ(document["a"].get<int>(), 1);
}

TEST(ParseJsonObject, AnythingElseIsAnEmptyObject) {
  const char* cases[] = {
      "",
      "[1, 2]",
      "\"text\"",
      "42",
      "null",
      "{\"a\": 1} {\"b\": 2}",   // two documents
      "{\"a\": 1,}",             // trailing comma
      "{\"a\": 1} // comment",   // comments are not JSON
      "/* c */ {\"a\": 1}",
      "{\"a\": \"\xff\"}",       // invalid UTF-8
      "{\"a\": \"\\ud800\"}",    // unpaired surrogate escape
      "{\"a\": 1",
  };
  for (const char* text : cases) {
    const nlohmann::json document = Parse(text);
    EXPECT_TRUE(document.is_object()) << text;
    EXPECT_TRUE(document.empty()) << text;
  }
}

TEST(ParseJsonObject, NestingDeeperThanTheLimitIsAnEmptyObject) {
  // The object itself is the first level.
  const auto nested = [](std::size_t levels) {
    return "{\"a\":" + std::string(levels - 1, '[') + std::string(levels - 1, ']') + "}";
  };
  EXPECT_FALSE(Parse(nested(kMaxJsonLevels)).empty());
  EXPECT_TRUE(Parse(nested(kMaxJsonLevels + 1)).empty());
  EXPECT_TRUE(Parse(nested(1000000)).empty());
}

TEST(DumpJson, SortsKeysAndLeavesUtf8Unescaped) {
  nlohmann::json document = {{"zeta", 1}, {"alpha", "ñandú"}};
  EXPECT_EQ(DumpJson(document, -1), "{\"alpha\":\"ñandú\",\"zeta\":1}");
  EXPECT_EQ(DumpJson(document, 2), "{\n  \"alpha\": \"ñandú\",\n  \"zeta\": 1\n}");
}

TEST(DumpJson, InvalidUtf8IsReplacedInsteadOfThrowing) {
  nlohmann::json document = {{"a", std::string("x\xff")}};
  EXPECT_EQ(DumpJson(document, -1), "{\"a\":\"x\xef\xbf\xbd\"}");
}

}  // namespace
}  // namespace dkl
