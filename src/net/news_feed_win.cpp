#include "net/news_feed_win.h"

#include <cstdint>
#include <optional>
#include <utility>

#include "base/bytes.h"
#include "net/fetch_to_memory_win.h"

namespace dkl {
namespace {

constexpr std::uint64_t kMaxNewsBytes = 262144;
constexpr std::uint32_t kNewsBodyTimeoutMs = 6000;

}  // namespace

std::vector<NewsItem> FetchNews(const HttpSession& session, const std::vector<std::string>& bases,
                                std::string_view language_setting) {
  for (const std::string& base : bases) {
    Bytes body;
    if (!FetchToMemory(session, NewsRequestUrl(base, language_setting), kMaxNewsBytes, body, kNewsBodyTimeoutMs).ok()) {
      continue;
    }
    if (std::optional<std::vector<NewsItem>> items = ParseNewsList(body, bases, base)) return std::move(*items);
  }
  return {};
}

void RunNewsTask(const NewsQuery& query, NewsBoard& board, const PostMessageFn& post) {
  std::vector<NewsItem> items;
  {
    const HttpSession session = OpenHttpSession(MakeUserAgent());
    items = FetchNews(session, query.websites, query.language);
  }
  board.Replace(std::move(items));
  post(WM_APP_NEWS, 0, 0);
}

}  // namespace dkl
