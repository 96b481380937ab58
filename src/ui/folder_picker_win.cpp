#include "ui/folder_picker_win.h"

#include <objbase.h>
#include <shobjidl.h>

namespace dkl {
namespace {

template <typename T>
struct ComRelease {
  T* pointer = nullptr;
  ~ComRelease() {
    if (pointer != nullptr) pointer->Release();
  }
};

void OpenAt(IFileDialog* dialog, const std::filesystem::path& initial) {
  ComRelease<IShellItem> folder;
  if (initial.empty()) return;
  if (FAILED(SHCreateItemFromParsingName(initial.c_str(), nullptr, IID_PPV_ARGS(&folder.pointer)))) return;
  dialog->SetFolder(folder.pointer);
}

std::optional<std::filesystem::path> Ask(HWND owner, const std::wstring& title, const std::filesystem::path& initial) {
  ComRelease<IFileDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog.pointer)))) {
    return std::nullopt;
  }
  FILEOPENDIALOGOPTIONS options = 0;
  dialog.pointer->GetOptions(&options);
  dialog.pointer->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
  dialog.pointer->SetTitle(title.c_str());
  OpenAt(dialog.pointer, initial);
  // Cancel answers with a failure too.
  if (FAILED(dialog.pointer->Show(owner))) return std::nullopt;

  ComRelease<IShellItem> chosen;
  if (FAILED(dialog.pointer->GetResult(&chosen.pointer))) return std::nullopt;
  PWSTR path = nullptr;
  if (FAILED(chosen.pointer->GetDisplayName(SIGDN_FILESYSPATH, &path)) || path == nullptr) return std::nullopt;
  std::filesystem::path result(path);
  CoTaskMemFree(path);
  return result;
}

}  // namespace

std::optional<std::filesystem::path> PickFolder(HWND owner, const std::wstring& title,
                                                const std::filesystem::path& initial) {
  // The picker is a COM object that expects an apartment-threaded caller.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  std::optional<std::filesystem::path> chosen = Ask(owner, title, initial);
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

}  // namespace dkl
