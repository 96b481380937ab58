#include "update/unpack_part_win.h"

#include <windows.h>

#include <algorithm>

#include "base/scratch_buffer_win.h"
#include "base/status_win.h"
#include "base/unique_handle_win.h"
#include "update/object_names.h"
#include "update/object_unpack.h"

namespace dkl {
namespace {

// Reads the part file a piece at a time: a large object is never held in memory whole.
class PartFile final : public ByteSource {
 public:
  PartFile(const std::filesystem::path& part_file, const FileEntry& entry) {
    const std::uint64_t limit = DownloadLength(entry);
    file_ = UniqueHandle(CreateFileW(part_file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    LARGE_INTEGER size{};
    if (!file_) {
      // An empty object is never downloaded, so it has no part file; its content is empty.
      ok_ = limit == 0 && GetLastError() == ERROR_FILE_NOT_FOUND;
      return;
    }
    ok_ = GetFileSizeEx(file_.get(), &size) && size.QuadPart >= 0 &&
          static_cast<std::uint64_t>(size.QuadPart) <= limit;
    size_ = ok_ ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  }

  bool ok() const { return ok_; }
  bool present() const { return static_cast<bool>(file_); }
  std::uint64_t size() const { return size_; }
  void Close() { file_.reset(); }

  std::size_t Read(std::span<std::uint8_t> into) override {
    const auto piece = static_cast<DWORD>(std::min<std::size_t>(into.size(), MAXDWORD));
    DWORD read = 0;
    if (!ReadFile(file_.get(), into.data(), piece, &read, nullptr)) return 0;
    return read;
  }

 private:
  UniqueHandle file_;
  bool ok_ = false;
  std::uint64_t size_ = 0;
};

// The finished file as the unpack writes it.
class FinishedFile final : public ByteSink {
 public:
  FinishedFile(HANDLE file, const FileEntry& entry) : file_(file), entry_(entry) {}

  Status Write(ByteView bytes) override {
    DWORD done = 0;
    if (!WriteFile(file_, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) || done != bytes.size()) {
      return LastErrorStatus("write " + entry_.path);
    }
    return OkStatus();
  }

 private:
  HANDLE file_;
  const FileEntry& entry_;
};

// Buffers on page boundaries: reads a few bytes off one run at a third of the speed.
UnpackBuffers ThreadUnpackBuffers() {
  std::uint8_t* input = ThreadScratch(ScratchUse::PartInput);
  std::uint8_t* output = ThreadScratch(ScratchUse::PartOutput);
  if (input == nullptr || output == nullptr) return {};
  return {{input, kScratchBytes}, {output, kScratchBytes}};
}

// A plain object is its own content: proving it where it lies and renaming it spares writing every
// byte a second time, and the disk space for that second copy.
Status ProvePlainInPlace(PartFile& part, const std::filesystem::path& part_file, const FileEntry& entry,
                         const std::filesystem::path& finished_file) {
  DiscardingSink nowhere;
  Status failure = UnpackObject(part, part.size(), entry, ThreadUnpackBuffers(), nowhere);
  part.Close();
  if (failure.ok() && !MoveFileExW(part_file.c_str(), finished_file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    failure = LastErrorStatus("create " + entry.path);
  }
  if (!failure.ok()) {
    DeleteFileW(part_file.c_str());
    DeleteFileW(finished_file.c_str());
  }
  return failure;
}

}  // namespace

Status UnpackPart(const std::filesystem::path& part_file, const FileEntry& entry,
                  const std::filesystem::path& finished_file) {
  PartFile part(part_file, entry);
  if (!part.ok()) {
    part.Close();
    DeleteFileW(part_file.c_str());
    return MakeStatus(StatusKind::Corrupt, entry.path + ": unreadable part");
  }
  if (!entry.gz && part.present()) return ProvePlainInPlace(part, part_file, entry, finished_file);

  UniqueHandle finished(
      CreateFileW(finished_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!finished) {
    Status failure = LastErrorStatus("create " + entry.path);
    part.Close();
    DeleteFileW(part_file.c_str());
    return failure;
  }

  // Without gz only the empty content, which has no part file, comes here: nothing is read.
  FinishedFile sink(finished.get(), entry);
  const Status failure = UnpackObject(part, part.size(), entry, ThreadUnpackBuffers(), sink);
  FlushFileBuffers(finished.get());
  finished.reset();
  part.Close();
  DeleteFileW(part_file.c_str());
  if (!failure.ok()) DeleteFileW(finished_file.c_str());
  return failure;
}

}  // namespace dkl
