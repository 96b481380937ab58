// The launcher's window: runs until the player closes it.
#pragma once

#include <windows.h>

namespace dkl {

struct AppContext;

// Returns the exit code (0 after a normal close, 1 when the window cannot start) and sets
// `restart` when a self-update asks for the new launcher to be started.
int RunLauncherWindow(HINSTANCE instance, AppContext& context, bool& restart);

}  // namespace dkl
