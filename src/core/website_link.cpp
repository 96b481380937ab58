#include "core/website_link.h"

#include "net/website_url.h"

namespace dkl {

std::optional<std::string> LinkToOpen(const std::vector<std::string>& websites, std::string_view lang,
                                      std::string_view url) {
  std::string page(url);
  if (page.empty()) {
    if (websites.empty()) return std::nullopt;
    page = websites.front() + "/" + std::string(lang);
  }
  if (!IsWebsiteUrl(websites, page)) return std::nullopt;
  return page;
}

}  // namespace dkl
