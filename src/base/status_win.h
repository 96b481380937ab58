#pragma once

#include <string_view>

#include "base/status.h"

namespace dkl {

// The Status of the Windows call that just failed on this thread.
Status LastErrorStatus(std::string_view prefix);

}  // namespace dkl
