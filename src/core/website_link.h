// Which page a website link opens, decided apart from the shell that opens it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dkl {

// `url` when it lies under one of `websites`; for an empty `url` the first website's home page in
// the interface language (base + "/" + `lang`). Nothing when the page is not the launcher's to open.
std::optional<std::string> LinkToOpen(const std::vector<std::string>& websites, std::string_view lang,
                                      std::string_view url);

}  // namespace dkl
