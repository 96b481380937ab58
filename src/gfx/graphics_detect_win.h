// The machine's graphics adapters through DXGI, loaded at run time so that its absence is harmless.
#pragma once

#include <windows.h>

#include <dxgi.h>

#include "gfx/graphics_report.h"

namespace dkl {

// Never fails: a missing DXGI, entry point, factory or description only shortens the list.
// At most 16 adapters, in DXGI's order, with driver versions and the advice rules applied.
GraphicsReport DetectGraphics();

// One adapter as DXGI describes it; no driver version yet.
GraphicsAdapter AdapterFromDescription(const DXGI_ADAPTER_DESC1& description);

}  // namespace dkl
