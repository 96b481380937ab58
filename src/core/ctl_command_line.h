// The command line of dklctl, the console companion support staff and QA run beside the launcher.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/status.h"

namespace dkl {

// Exit codes: each run outcome has its own, so scripts can tell them apart.
inline constexpr int kCtlExitReady = 0;
inline constexpr int kCtlExitFailed = 1;
inline constexpr int kCtlExitOffline = 2;
inline constexpr int kCtlExitSelfUpdated = 3;  // the launcher beside dklctl was replaced: run again
inline constexpr int kCtlExitUsage = 64;

extern const char kCtlUsage[];

struct CtlCommand {
  std::string verb;  // "update", "probe", "news" or "gpu"; empty with help set
  bool help = false;
  bool verify = false;
  std::optional<std::string> folder;    // game folder instead of the player's
  std::optional<std::string> app_data;  // launcher settings folder instead of the player's
  std::vector<std::string> mirrors;     // instead of the built-in ones, in this order
  std::vector<std::string> websites;    // news: website bases instead of the built-in one
  std::string lang = "es";              // news: "en" or "es"
};

// The arguments after the program name, UTF-8. Kind invalid with a short reason on any mistake.
Status ParseCtlCommandLine(const std::vector<std::string>& arguments, CtlCommand& command);

}  // namespace dkl
