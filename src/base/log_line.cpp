#include "base/log_line.h"

#include "core/version.h"

namespace dkl {

std::string FormatLogLine(std::int64_t unix_seconds, std::string_view message) {
  std::string line = std::to_string(unix_seconds);
  line += " v";
  line += LauncherVersion;
  line += ' ';
  line += message;
  line += '\n';
  return line;
}

}  // namespace dkl
