#include "core/website_link.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

struct LinkCase {
  const char* lang;
  const char* url;
  const char* opened;  // nullptr: nothing is opened
};

void PrintTo(const LinkCase& c, std::ostream* out) { *out << c.lang << " \"" << c.url << '"'; }

class LinkToOpenTest : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkToOpenTest, OnlyPagesUnderTheWebsiteAreOpened) {
  const std::vector<std::string> websites{"https://duskcrown.example", "https://news.duskcrown.example"};
  const LinkCase& c = GetParam();
  const std::optional<std::string> page = LinkToOpen(websites, c.lang, c.url);
  if (c.opened == nullptr) {
    EXPECT_FALSE(page) << c.url << " would open " << page.value_or("");
  } else {
    EXPECT_EQ(page, std::optional<std::string>(c.opened)) << c.url;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkToOpenTest,
    ::testing::Values(LinkCase{"en", "", "https://duskcrown.example/en"},
                      LinkCase{"es", "", "https://duskcrown.example/es"},
                      LinkCase{"es", "https://duskcrown.example", "https://duskcrown.example"},
                      LinkCase{"es", "https://duskcrown.example/", "https://duskcrown.example/"},
                      LinkCase{"es", "https://duskcrown.example/news/42?x=1", "https://duskcrown.example/news/42?x=1"},
                      LinkCase{"es", "https://news.duskcrown.example/7", "https://news.duskcrown.example/7"},
                      LinkCase{"es", "https://other.example/news/42", nullptr},
                      LinkCase{"es", "http://duskcrown.example/news/42", nullptr},
                      LinkCase{"es", "https://duskcrown.example.evil/x", nullptr},
                      LinkCase{"es", "https://duskcrown.examplex", nullptr},
                      LinkCase{"es", "https://duskcrown.example:8443/x", nullptr},
                      LinkCase{"es", "https://duskcrown.example@evil.example/", nullptr},
                      LinkCase{"es", "HTTPS://DUSKCROWN.EXAMPLE/", nullptr},
                      LinkCase{"es", " https://duskcrown.example/", nullptr},
                      LinkCase{"es", "file:///C:/Windows/System32/calc.exe", nullptr},
                      LinkCase{"es", "javascript:alert(1)", nullptr}));

TEST(LinkToOpen, WithoutAWebsiteNothingOpensNotEvenTheHomePage) {
  EXPECT_FALSE(LinkToOpen({}, "en", ""));
  EXPECT_FALSE(LinkToOpen({}, "en", "https://duskcrown.example/en"));
}

}  // namespace
}  // namespace dkl
