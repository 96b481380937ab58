#include "base/status_win.h"

#include <windows.h>

namespace dkl {

Status LastErrorStatus(std::string_view prefix) {
  return StatusFromWindowsError(GetLastError(), prefix);
}

}  // namespace dkl
