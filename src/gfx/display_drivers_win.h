// Driver versions as Windows records them under the display adapter class in the registry.
#pragma once

#include <windows.h>

#include <vector>

#include "gfx/graphics_report.h"

namespace dkl {

inline constexpr wchar_t kDisplayAdapterClassKey[] =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e968-e325-11ce-bfc1-08002be10318}";

// Fills in the driver version of each adapter whose name a subkey "0000" to "0063" of
// `root`\`class_key` names as "DriverDesc". Both values must be REG_SZ; an unreadable key or
// value leaves versions empty.
void ReadDisplayDrivers(std::vector<GraphicsAdapter>& adapters, HKEY root = HKEY_LOCAL_MACHINE,
                        const wchar_t* class_key = kDisplayAdapterClassKey);

}  // namespace dkl
