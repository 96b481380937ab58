// The website's news endpoint: which address to ask and what to keep of its answer.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/bytes.h"

namespace dkl {

inline constexpr std::size_t kMaxNewsItems = 3;

// One entry of the main page's news, every text already cleaned; url is empty or under the website.
// Every member has an initializer, so that designated initializers may name only some.
struct NewsItem {
  std::string date{};     // as published, at most 48 characters
  std::string title{};    // at most 120 characters
  std::string summary{};  // at most 280 characters
  std::string url{};

  bool operator==(const NewsItem&) const = default;
};

// "en" only for the language setting "en" exactly; Spanish for everything else.
std::string_view NewsLanguageCode(std::string_view language_setting);

// `base` + "/api/launcher/news?lang=" + the language code.
std::string NewsRequestUrl(std::string_view base, std::string_view language_setting);

// The first three objects of the JSON array in `body`, fetched from `base`; elements that are not
// objects and members that are not strings are skipped. Empty when `body` is not exactly one array.
std::optional<std::vector<NewsItem>> ParseNewsList(ByteView body, const std::vector<std::string>& bases,
                                                   std::string_view base);

}  // namespace dkl
