// The website's news: the body as the website (or anyone on the way) sends it, and the cleaning of
// each text and link on its own.
#include <algorithm>

#include "fuzz/fuzz_target.h"
#include "net/news_list.h"
#include "net/news_text.h"

namespace dkl::fuzz {
namespace {

const std::vector<std::string> kWebsites{"https://www.duskhaven.example", "http://127.0.0.1:47800"};

// Free of control characters, and no longer than the most characters allowed can be.
void CheckText(std::string_view text, std::size_t max_chars) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    FUZZ_CHECK(byte >= 32 && byte != 127);
  }
  FUZZ_CHECK(text.size() <= 4 * max_chars);
}

// Cleaned from valid UTF-8, as every JSON string is, a text holds no more characters than allowed.
void CheckCharacters(std::string_view text, std::size_t max_chars) {
  CheckText(text, max_chars);
  const auto starts = std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  FUZZ_CHECK(static_cast<std::size_t>(starts) <= max_chars);
}

// Empty, or a short address on one of the websites.
void CheckUrl(std::string_view url) {
  if (url.empty()) return;
  FUZZ_CHECK(url.size() <= 300);
  for (const char c : url) FUZZ_CHECK(static_cast<unsigned char>(c) >= 32);
  bool under_website = false;
  for (const std::string& website : kWebsites) {
    under_website |= url == website || url.starts_with(website + "/");
  }
  FUZZ_CHECK(under_website);
}

void ParseBody(ByteView body, std::string_view base) {
  const std::optional<std::vector<NewsItem>> items = ParseNewsList(body, kWebsites, base);
  if (!items) return;
  FUZZ_CHECK(items->size() <= kMaxNewsItems);
  for (const NewsItem& item : *items) {
    CheckCharacters(item.date, 48);
    CheckCharacters(item.title, 120);
    CheckCharacters(item.summary, 280);
    CheckUrl(item.url);
  }
}

void CleanOne(std::string_view text, std::size_t max_chars, std::string_view base) {
  CheckText(CleanNewsText(text, max_chars), max_chars);
  CheckUrl(ResolveNewsUrl(kWebsites, base, text));
}

void ReadNews(ByteView input) {
  InputReader reader(input);
  const std::uint8_t shape = reader.Byte();
  const std::string_view base = kWebsites[shape & 1];
  if (shape & 2) {
    CleanOne(AsText(reader.Rest()), shape >> 2, base);
  } else {
    ParseBody(reader.Rest(), base);
  }
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("news", dkl::fuzz::ReadNews)
