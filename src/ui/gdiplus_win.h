// GDI+ through its flat interface, with what its header needs from Windows.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>
