#include "base/atomic_write_win.h"

#include <windows.h>

#include <algorithm>

#include "base/paths_win.h"
#include "base/piece_reader.h"
#include "base/status_win.h"
#include "base/text_win.h"
#include "base/unique_handle_win.h"

namespace dkl {
namespace {

std::string FileNameOf(const std::filesystem::path& path) {
  return WideToUtf8(path.filename().native());
}

bool WriteAll(HANDLE file, ByteView bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kIoPieceBytes));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, wanted, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

}  // namespace

Status AtomicWriteFile(const std::filesystem::path& target, ByteView bytes) {
  std::error_code ignored;
  std::filesystem::create_directories(target.parent_path(), ignored);

  const std::filesystem::path staging = WithSuffix(target, L".tmp");
  UniqueHandle file(
      CreateFileW(staging.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastErrorStatus("create " + FileNameOf(staging));

  if (!WriteAll(file.get(), bytes)) {
    Status failure = LastErrorStatus("write " + FileNameOf(staging));
    file.reset();
    DeleteFileW(staging.c_str());
    return failure;
  }
  FlushFileBuffers(file.get());
  file.reset();

  if (!MoveFileExW(staging.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    Status failure = LastErrorStatus("replace " + FileNameOf(target));
    DeleteFileW(staging.c_str());
    return failure;
  }
  return OkStatus();
}

}  // namespace dkl
