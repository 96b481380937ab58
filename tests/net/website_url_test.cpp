#include "net/website_url.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

struct WebsiteCase {
  const char* url;
  bool allowed;
};

class WebsiteUrlTest : public ::testing::TestWithParam<WebsiteCase> {};

TEST_P(WebsiteUrlTest, OnlyPagesUnderABaseAreAllowed) {
  const std::vector<std::string> bases{"https://duskcrown.example", "http://127.0.0.1:47800"};
  EXPECT_EQ(IsWebsiteUrl(bases, GetParam().url), GetParam().allowed) << GetParam().url;
}

INSTANTIATE_TEST_SUITE_P(Cases, WebsiteUrlTest,
                         ::testing::Values(WebsiteCase{"https://duskcrown.example", true},
                                           WebsiteCase{"https://duskcrown.example/", true},
                                           WebsiteCase{"https://duskcrown.example/news/42", true},
                                           WebsiteCase{"http://127.0.0.1:47800/es", true},
                                           WebsiteCase{"https://duskcrown.example.evil/x", false},
                                           WebsiteCase{"https://duskcrown.exampleX", false},
                                           WebsiteCase{"http://duskcrown.example/", false},
                                           WebsiteCase{"HTTPS://duskcrown.example/", false},
                                           WebsiteCase{"https://other.example/", false},
                                           WebsiteCase{"https://duskcrown.exampl", false},
                                           WebsiteCase{"", false}));

TEST(WebsiteUrl, NoBasesAcceptNothing) {
  EXPECT_FALSE(IsWebsiteUrl({}, "https://duskcrown.example"));
  EXPECT_FALSE(IsWebsiteUrl({}, ""));
}

}  // namespace
}  // namespace dkl
