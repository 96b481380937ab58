// FetchNews and the news task over real WinHTTP against local servers.
#include "net/news_feed_win.h"

#include <gtest/gtest.h>

#include "support/fault_server_win.h"
#include "support/loopback_win.h"

namespace dkl {
namespace {

using testing::FaultResponse;
using testing::FaultServer;

constexpr char kNewsPath[] = "/api/launcher/news?lang=";

std::string TitlesArray(std::initializer_list<const char*> titles) {
  std::string body = "[";
  for (const char* title : titles) body += std::string(body.size() > 1 ? "," : "") + "{\"title\": \"" + title + "\"}";
  return body + "]";
}

// A JSON array of exactly `size` bytes.
std::string ArrayOfSize(std::size_t size) { return "[\"" + std::string(size - 4, 'n') + "\"]"; }

class NewsFeedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(first_.ok());
    ASSERT_TRUE(second_.ok());
    second_.Route(std::string(kNewsPath) + "es",
                  FaultResponse{.body = R"([{"title": "second", "url": "/news/7"}])"});
  }

  std::string Base(const FaultServer& server, std::string_view prefix = "") const { return server.url(prefix); }

  FaultServer first_;
  FaultServer second_;
  HttpSession session_ = OpenHttpSession(MakeUserAgent());
};

TEST_F(NewsFeedTest, AsksInEnglishOnlyForTheSettingEn) {
  first_.Route(std::string(kNewsPath) + "en", FaultResponse{.body = TitlesArray({"1", "2", "3", "4", "5"})});
  first_.Route(std::string(kNewsPath) + "es", FaultResponse{.body = TitlesArray({"uno"})});
  const std::vector<NewsItem> english = FetchNews(session_, {Base(first_)}, "en");
  EXPECT_EQ(english, (std::vector<NewsItem>{{.title = "1"}, {.title = "2"}, {.title = "3"}}));

  for (const char* setting : {"es", "EN", "fr", ""}) {
    const std::vector<NewsItem> spanish = FetchNews(session_, {Base(first_)}, setting);
    EXPECT_EQ(spanish, std::vector<NewsItem>{{.title = "uno"}}) << '"' << setting << '"';
    EXPECT_EQ(first_.requests().back().path, std::string(kNewsPath) + "es") << '"' << setting << '"';
  }
}

TEST_F(NewsFeedTest, ABaseWithoutAnArrayGivesWayToTheNext) {
  const std::uint16_t closed = testing::FreeLoopbackPort();
  first_.Route("/object" + std::string(kNewsPath) + "es", FaultResponse{.body = R"({"title": "x"})"});
  first_.Route("/comma" + std::string(kNewsPath) + "es", FaultResponse{.body = TitlesArray({"x"}) + ","});
  first_.Route("/huge" + std::string(kNewsPath) + "es", FaultResponse{.body = ArrayOfSize(262145)});
  first_.Route("/error" + std::string(kNewsPath) + "es", FaultResponse{.status = 500, .body = TitlesArray({"x"})});
  const std::string failing_bases[] = {
      Base(first_, "/object"), Base(first_, "/comma"),   Base(first_, "/huge"),
      Base(first_, "/error"),  Base(first_, "/missing"), "http://127.0.0.1:" + std::to_string(closed)};

  // A path link belongs to the base that served it.
  const std::vector<NewsItem> expected{{.title = "second", .url = Base(second_) + "/news/7"}};
  for (const std::string& failing : failing_bases) {
    EXPECT_EQ(FetchNews(session_, {failing, Base(second_)}, "es"), expected) << failing;
  }
  EXPECT_EQ(second_.requests().size(), std::size(failing_bases));
}

TEST_F(NewsFeedTest, TheFirstArrayDecidesEvenWithoutItems) {
  first_.Route("/empty" + std::string(kNewsPath) + "es", FaultResponse{.body = "[]"});
  first_.Route("/numbers" + std::string(kNewsPath) + "es", FaultResponse{.body = "[1, 2, 3]"});
  first_.Route("/full" + std::string(kNewsPath) + "es", FaultResponse{.body = ArrayOfSize(262144)});
  for (const char* prefix : {"/empty", "/numbers", "/full"}) {
    EXPECT_TRUE(FetchNews(session_, {Base(first_, prefix), Base(second_)}, "es").empty()) << prefix;
  }
  EXPECT_TRUE(second_.requests().empty());
}

TEST_F(NewsFeedTest, NoBaseLeftGivesNoNews) {
  EXPECT_TRUE(FetchNews(session_, {Base(first_, "/missing"), Base(first_, "/gone")}, "es").empty());
  EXPECT_TRUE(FetchNews(session_, {}, "es").empty());
  EXPECT_EQ(first_.requests().size(), 2u);
}

struct Posted {
  std::uint32_t message;
  std::uintptr_t wparam;
  std::intptr_t lparam;
  std::vector<NewsItem> board;  // what the board held when the message went out
};

TEST_F(NewsFeedTest, TaskReplacesTheBoardWholeBeforeItPosts) {
  NewsBoard board;
  board.Replace({{.title = "old"}, {.title = "older"}});
  std::vector<Posted> posted;
  const PostMessageFn collect = [&](std::uint32_t m, std::uintptr_t w, std::intptr_t l) {
    posted.push_back({m, w, l, board.Copy()});
  };

  RunNewsTask(NewsQuery{.websites = {Base(first_, "/missing"), Base(second_)}, .language = "es"}, board, collect);
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].message, WM_APP_NEWS);
  EXPECT_EQ(posted[0].wparam, 0u);
  EXPECT_EQ(posted[0].lparam, 0);
  EXPECT_EQ(posted[0].board, (std::vector<NewsItem>{{.title = "second", .url = Base(second_) + "/news/7"}}));

  // A failed run empties the list rather than keeping stale news.
  RunNewsTask(NewsQuery{.websites = {Base(first_, "/missing")}, .language = "en"}, board, collect);
  ASSERT_EQ(posted.size(), 2u);
  EXPECT_TRUE(posted[1].board.empty());
  EXPECT_TRUE(board.Copy().empty());
}

}  // namespace
}  // namespace dkl
