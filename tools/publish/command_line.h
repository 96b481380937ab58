// The dkl-publish command line: subcommands, their options, help texts and exit codes.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "base/status.h"

namespace dkl::publish {

// Exit codes that scripts can rely on; --help lists them.
enum ExitCode : int {
  kExitSuccess = 0,
  kExitRefused = 1,  // the content was refused or the site failed verification
  kExitUsage = 2,    // bad or missing arguments
  kExitIo = 3,       // a file or folder cannot be read or written
};

int ExitCodeFor(const Status& status);

// `args` without the program name. Results go to `out`, progress and errors to `err`.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dkl::publish
