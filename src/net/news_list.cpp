#include "net/news_list.h"

#include <nlohmann/json.hpp>

#include "net/news_text.h"

namespace dkl {
namespace {

constexpr std::size_t kMaxDateChars = 48;
constexpr std::size_t kMaxTitleChars = 120;
constexpr std::size_t kMaxSummaryChars = 280;

// The member's text when it is a string; an empty text for a missing member or another type.
std::string_view StringMember(const nlohmann::json& object, const char* name) {
  const auto member = object.find(name);
  if (member == object.end() || !member->is_string()) return {};
  return member->get_ref<const std::string&>();
}

NewsItem ItemFromObject(const nlohmann::json& object, const std::vector<std::string>& bases, std::string_view base) {
  return NewsItem{
      .date = CleanNewsText(StringMember(object, "date"), kMaxDateChars),
      .title = CleanNewsText(StringMember(object, "title"), kMaxTitleChars),
      .summary = CleanNewsText(StringMember(object, "summary"), kMaxSummaryChars),
      .url = ResolveNewsUrl(bases, base, StringMember(object, "url")),
  };
}

}  // namespace

std::string_view NewsLanguageCode(std::string_view language_setting) {
  return language_setting == "en" ? "en" : "es";
}

std::string NewsRequestUrl(std::string_view base, std::string_view language_setting) {
  return std::string(base) + "/api/launcher/news?lang=" + std::string(NewsLanguageCode(language_setting));
}

std::optional<std::vector<NewsItem>> ParseNewsList(ByteView body, const std::vector<std::string>& bases,
                                                   std::string_view base) {
  constexpr bool kAllowExceptions = false;
  constexpr bool kIgnoreComments = false;
  const nlohmann::json document =
      nlohmann::json::parse(body.begin(), body.end(), nullptr, kAllowExceptions, kIgnoreComments);
  if (document.is_discarded() || !document.is_array()) return std::nullopt;

  std::vector<NewsItem> items;
  for (const nlohmann::json& element : document) {
    if (items.size() == kMaxNewsItems) break;
    if (element.is_object()) items.push_back(ItemFromObject(element, bases, base));
  }
  return items;
}

}  // namespace dkl
