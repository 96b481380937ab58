#include "ui/launcher_window_win.h"

namespace dkl {

// Until the window shell exists, the launcher closes as soon as its context stands.
int RunLauncherWindow(HINSTANCE, AppContext&, bool& restart) {
  restart = false;
  return 0;
}

}  // namespace dkl
