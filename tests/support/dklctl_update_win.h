// The command line of one headless update run, as the end-to-end tests start dklctl.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/text_win.h"

namespace dkl::testing {

// `dklctl update` into `game` with its settings in `app_data`, asking `mirrors` in their order.
inline std::vector<std::wstring> DklctlUpdateArguments(const std::filesystem::path& game,
                                                       const std::filesystem::path& app_data,
                                                       const std::vector<std::string>& mirrors) {
  std::vector<std::wstring> arguments{L"update", L"--folder", game.native(), L"--app-data", app_data.native()};
  for (const std::string& mirror : mirrors) {
    arguments.push_back(L"--mirror");
    arguments.push_back(Utf8ToWide(mirror));
  }
  return arguments;
}

}  // namespace dkl::testing
