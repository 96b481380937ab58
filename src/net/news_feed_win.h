// Fetching the website's news, and the news thread that hands them to the window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "net/http_session_win.h"
#include "net/news_board.h"
#include "net/news_list.h"
#include "net/task_messages.h"

namespace dkl {

// Asks each website base in turn; the first that answers with a JSON array decides the list, even
// an empty one. Failed fetches, bodies above 256 KiB and other documents move on to the next base;
// when none is left the list is empty.
std::vector<NewsItem> FetchNews(const HttpSession& session, const std::vector<std::string>& bases,
                                std::string_view language_setting);

// Copied when a news thread starts, so that the player may switch the language meanwhile.
struct NewsQuery {
  std::vector<std::string> websites;
  std::string language;
};

// The body of a news thread: fetches over a session of its own, replaces the board's list and
// then posts WM_APP_NEWS.
void RunNewsTask(const NewsQuery& query, NewsBoard& board, const PostMessageFn& post);

}  // namespace dkl
