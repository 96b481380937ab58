#include "net/news_list.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

const std::vector<std::string> kBases{"https://news.example"};

std::optional<std::vector<NewsItem>> Parse(std::string_view body) {
  return ParseNewsList(AsBytes(body), kBases, kBases.front());
}

NewsItem Titled(std::string title) { return NewsItem{.title = std::move(title)}; }

std::string TitleObject(std::string_view title) { return "{\"title\": \"" + std::string(title) + "\"}"; }

struct ListCase {
  const char* name;
  std::string body;
  std::optional<std::vector<NewsItem>> expected;
};

using Items = std::vector<NewsItem>;

TEST(ParseNewsList, KeepsTheFirstThreeObjectsOfOneArray) {
  const ListCase cases[] = {
      {"object", TitleObject("a"), std::nullopt},
      {"empty_array", " [ ]\n", Items{}},
      {"five_give_three",
                 "[" + TitleObject("1") + "," + TitleObject("2") + "," + TitleObject("3") + "," + TitleObject("4") +
                     "," + TitleObject("5") + "]",
                 Items{Titled("1"), Titled("2"), Titled("3")}},
      {"number_first",
                 "[7," + TitleObject("a") + "," + TitleObject("b") + "," + TitleObject("c") + "]",
                 Items{Titled("a"), Titled("b"), Titled("c")}},
      {"only_objects_count", "[1, \"x\", null, [], true, " + TitleObject("a") + "]", Items{Titled("a")}},
      {"no_known_member", R"([{"headline": "x", "title": 5, "date": null, "summary": [], "url": {}}])",
                 Items{NewsItem{}}},
      {"every_member",
                 R"([{"date": "1 May", "title": "T", "summary": "S", "url": "/news/1"}])",
                 Items{NewsItem{.date = "1 May", .title = "T", .summary = "S", .url = "https://news.example/news/1"}}},
      {"long_title", "[" + TitleObject(std::string(200, 't')) + "]", Items{Titled(std::string(120, 't'))}},
      {"title_with_breaks", "[" + TitleObject("New\\r\\nrealm\\topen") + "]", Items{Titled("Newrealmopen")}},
      {"date_and_summary_limits",
                 R"([{"date": ")" + std::string(60, 'd') + R"(", "summary": ")" + std::string(300, 's') + R"("}])",
                 Items{NewsItem{.date = std::string(48, 'd'), .summary = std::string(280, 's')}}},
      {"refused_url", R"([{"title": "a", "url": "https://other.example/x"}])", Items{Titled("a")}},
      {"trailing_comma", "[" + TitleObject("a") + ",]", std::nullopt},
      {"second_value", "[] []", std::nullopt},
      {"comment", "[] // news", std::nullopt},
      {"invalid_utf8", "[" + TitleObject("abc\xC3") + "]", std::nullopt},
      {"empty_body", "", std::nullopt},
  };
  for (const ListCase& c : cases) EXPECT_EQ(Parse(c.body), c.expected) << c.name;
}

TEST(NewsLanguage, OnlyEnglishExactlyAsksForEnglish) {
  EXPECT_EQ(NewsLanguageCode("en"), "en");
  for (const char* setting : {"es", "EN", "En", "en ", "eng", "fr", ""}) {
    EXPECT_EQ(NewsLanguageCode(setting), "es") << '"' << setting << '"';
  }
  EXPECT_EQ(NewsRequestUrl("https://news.example", "en"), "https://news.example/api/launcher/news?lang=en");
}

}  // namespace
}  // namespace dkl
