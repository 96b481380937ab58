// Which pages the launcher opens: links from the news and the window go only into the website.
#include "core/website_link.h"
#include "fuzz/fuzz_target.h"
#include "net/website_url.h"

namespace dkl::fuzz {
namespace {

const std::vector<std::string> kWebsites{"https://www.duskhaven.example", "http://127.0.0.1:47800/site"};

bool UnderOneOf(const std::vector<std::string>& bases, std::string_view url) {
  for (const std::string& base : bases) {
    if (url == base || url.starts_with(base + "/")) return true;
  }
  return false;
}

void CheckUrls(ByteView input) {
  InputReader reader(input);
  const std::string_view lang = AsText(reader.Take(reader.Byte() % 4));
  const std::string_view url = AsText(reader.Rest());

  FUZZ_CHECK(IsWebsiteUrl(kWebsites, url) == UnderOneOf(kWebsites, url));
  FUZZ_CHECK(!IsWebsiteUrl({}, url));
  if (const std::optional<std::string> page = LinkToOpen(kWebsites, lang, url)) {
    FUZZ_CHECK(UnderOneOf(kWebsites, *page));
    FUZZ_CHECK(url.empty() || *page == url);
  }
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("website_url", dkl::fuzz::CheckUrls)
