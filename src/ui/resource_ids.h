// Ids of the resources built into the launcher; shared by the resource script and the code.
#pragma once

#define DKL_IDI_LAUNCHER 1
#define DKL_IDR_DISPLAY_FONT 101
#define DKL_IDR_SCRIPT_FONT 102
#define DKL_IDR_BACKGROUND 103
#define DKL_IDR_EMBLEM 104
