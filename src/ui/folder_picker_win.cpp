#include "ui/folder_picker_win.h"

#include <objbase.h>
#include <shlobj.h>

namespace dkl {
namespace {

// Opens the picker at the folder being edited, once the dialog exists.
int CALLBACK OnPickerEvent(HWND dialog, UINT message, LPARAM, LPARAM initial) {
  if (message == BFFM_INITIALIZED && initial != 0) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, initial);
  return 0;
}

std::optional<std::filesystem::path> Ask(HWND owner, const std::wstring& title, const std::filesystem::path& initial) {
  const std::wstring start = initial.native();
  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  browse.lpfn = OnPickerEvent;
  browse.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
  // Null when the player cancels.
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
  if (chosen == nullptr) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const bool named = SHGetPathFromIDListW(chosen, path) != FALSE && path[0] != L'\0';
  CoTaskMemFree(chosen);
  if (!named) return std::nullopt;
  return std::filesystem::path(path);
}

}  // namespace

std::optional<std::filesystem::path> PickFolder(HWND owner, const std::wstring& title,
                                                const std::filesystem::path& initial) {
  // The new dialog style expects an apartment-threaded caller.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::optional<std::filesystem::path> chosen = Ask(owner, title, initial);
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

}  // namespace dkl
