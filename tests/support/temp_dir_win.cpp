#include "support/temp_dir.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <string>

namespace dkl::testing {

TempDir::TempDir() {
  // Process ids come back; the start time and a counter keep a new folder from meeting an old one.
  static std::atomic<unsigned> counter{0};
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  while (true) {
    const std::wstring name = L"dkl-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter.fetch_add(1));
    path_ = base / name;
    if (CreateDirectoryW(path_.c_str(), nullptr)) return;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a test folder");
  }
}

TempDir::~TempDir() {
  // Read-only files left by a test would make remove_all fail.
  std::error_code error;
  std::filesystem::recursive_directory_iterator entry(path_, error), end;
  while (!error && entry != end) {
    SetFileAttributesW(entry->path().c_str(), FILE_ATTRIBUTE_NORMAL);
    entry.increment(error);
  }
  std::filesystem::remove_all(path_, error);
}

}  // namespace dkl::testing
