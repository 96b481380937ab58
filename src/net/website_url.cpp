#include "net/website_url.h"

namespace dkl {

bool IsWebsiteUrl(const std::vector<std::string>& bases, std::string_view url) {
  for (const std::string& base : bases) {
    if (url == base) return true;
    if (url.size() > base.size() && url.starts_with(base) && url[base.size()] == '/') return true;
  }
  return false;
}

}  // namespace dkl
