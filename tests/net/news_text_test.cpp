#include "net/news_text.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

struct CleanCase {
  std::string text;
  std::size_t max_chars;
  std::string expected;
};

TEST(CleanNewsText, KeepsAtMostTheMaximumOfPrintableCharacters) {
  const CleanCase cases[] = {
      {"Patch notes", 120, "Patch notes"},
      {std::string(200, 't'), 120, std::string(120, 't')},
      // Breaks, tabs, NUL and DEL are dropped and do not count towards the maximum.
      {"line\r\nbreak\ttab", 100, "linebreaktab"},
      {"ab\n\ncdef", 4, "abcd"},
      {std::string("a\0b\x7f" "c", 5), 10, "abc"},
      // The maximum counts characters, not bytes.
      {"ñandú", 3, "ñan"},
      {"€€€", 2, "€€"},
      {"\xF0\x9F\x98\x80x", 1, "\xF0\x9F\x98\x80"},
      {std::string(119, 'a') + "éz", 120, std::string(119, 'a') + "é"},
      // A last character cut short is dropped, whatever its length.
      {"abc\xC3", 10, "abc"},
      {"ab\xE2\x82", 10, "ab"},
      {"a\xF0\x9F\x98", 10, "a"},
      // Stray continuation bytes are one character each.
      {"\x80\x81\x82", 2, "\x80\x81"},
      // A lead byte swallows what follows it, so a break hidden there goes with it.
      {"a\xC3\nb", 10, "ab"},
      {"anything", 0, ""},
      {"", 5, ""},
  };
  for (const CleanCase& c : cases) {
    EXPECT_EQ(CleanNewsText(c.text, c.max_chars), c.expected)
        << ::testing::PrintToString(c.text) << " max " << c.max_chars;
  }
}

struct UrlCase {
  std::string url;
  std::string expected;
};

const std::vector<std::string> kBases{"http://127.0.0.1:47800", "https://news.example"};
const std::string kServing = "https://news.example";

// A url of exactly `size` bytes under the serving base.
std::string UrlOfSize(std::size_t size) { return kServing + "/" + std::string(size - kServing.size() - 1, 'p'); }

TEST(ResolveNewsUrl, KeepsOnlyShortCleanLinksIntoTheWebsite) {
  const UrlCase cases[] = {
      {"/news/42", "https://news.example/news/42"},
      {"https://news.example/news/42", "https://news.example/news/42"},
      {"http://127.0.0.1:47800/es/news", "http://127.0.0.1:47800/es/news"},
      {"https://news.example", "https://news.example"},
      {"//news.example/news/42", ""},
      {"//evil.example/x", ""},
      {"/", ""},
      {"", ""},
      {"https://other.example/news", ""},
      {"https://news.example.evil/news", ""},
      {"news/42", ""},
      {UrlOfSize(300), UrlOfSize(300)},
      {UrlOfSize(301), ""},
      // The limit applies to the joined url.
      {UrlOfSize(301).substr(kServing.size()), ""},
      {"https://news.example/a b", "https://news.example/a b"},
      {"https://news.example/caf\xC3\xA9", "https://news.example/caf\xC3\xA9"},
      {"https://news.example/a\tb", ""},
      {"/a\nb", ""},
  };
  for (const UrlCase& c : cases) {
    EXPECT_EQ(ResolveNewsUrl(kBases, kServing, c.url), c.expected) << ::testing::PrintToString(c.url);
  }
}

}  // namespace
}  // namespace dkl
