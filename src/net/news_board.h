// The news list the window shows, handed over whole by news threads while the window reads it.
#pragma once

#include <mutex>
#include <utility>
#include <vector>

#include "net/news_list.h"

namespace dkl {

class NewsBoard {
 public:
  // The last news run to finish wins; an empty list empties the board.
  void Replace(std::vector<NewsItem> items) {
    std::lock_guard lock(lock_);
    items_ = std::move(items);
  }

  // A copy, so that nothing is drawn or clicked while the lock is held.
  std::vector<NewsItem> Copy() const {
    std::lock_guard lock(lock_);
    return items_;
  }

 private:
  mutable std::mutex lock_;
  std::vector<NewsItem> items_;
};

}  // namespace dkl
