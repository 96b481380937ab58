#include <windows.h>

#include "core/startup_win.h"

// The command line and the show flag are ignored: the launcher takes no arguments.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return dkl::RunLauncher(instance); }
