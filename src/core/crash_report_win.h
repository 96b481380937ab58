// The process-wide unhandled-exception filter: one line in "crash.log", a message box, and the end.
#pragma once

#include <windows.h>

#include <filesystem>

namespace dkl {

inline constexpr wchar_t kCrashCaption[] = L"Duskhaven Crown";
inline constexpr wchar_t kCrashMessage[] =
    L"El launcher se cerr\u00f3 por un error inesperado.\n"
    L"The launcher stopped after an unexpected error.\n\n"
    L"Volv\u00e9 a abrirlo. Si se repite, mandanos el archivo crash.log de %APPDATA%\\local.duskcrown.launcher.";

// How the player is told; MessageBoxW in the launcher. A test without a display replaces it.
using CrashNoticeFn = int(WINAPI*)(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// Makes CrashFilter the unhandled-exception filter, reporting into `app_data_dir` / "crash.log".
// Every path the filter needs is worked out here, so that the filter itself allocates nothing.
// Called once, at start-up, before any other thread exists.
void InstallCrashFilter(const std::filesystem::path& app_data_dir, CrashNoticeFn notice = MessageBoxW);

// Appends the crash line, tells the player and returns EXCEPTION_EXECUTE_HANDLER so the process ends.
// `pointers` or its exception record may be null: the line then reads code 0 at address 0.
LONG WINAPI CrashFilter(EXCEPTION_POINTERS* pointers);

}  // namespace dkl
