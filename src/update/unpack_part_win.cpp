#include "update/unpack_part_win.h"

#include <windows.h>

#include <zlib.h>

#include <algorithm>

#include "base/scratch_buffer_win.h"
#include "base/status_win.h"
#include "base/unique_handle_win.h"
#include "update/gzip_header.h"
#include "update/object_names.h"
#include "update/sha256.h"

namespace dkl {
namespace {

// A gzip header is a few bytes with its name; reading it needs no full step.
constexpr std::size_t kHeaderStepBytes = 65536;
constexpr std::uint64_t kGzipTrailerBytes = 8;

// Buffers on page boundaries: reads a few bytes off one run at a third of the speed.
struct StepBuffer {
  explicit StepBuffer(ScratchUse use) : data(ThreadScratch(use)) {}
  std::uint8_t* data;
  std::size_t capacity = kScratchBytes;
};

Status Corrupt(const FileEntry& entry, const char* what) {
  return MakeStatus(StatusKind::Corrupt, entry.path + what);
}

// Reads the part file a piece at a time: a large object is never held in memory whole.
class PartReader {
 public:
  PartReader(const std::filesystem::path& part_file, const FileEntry& entry) {
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

  // Reads up to `wanted` bytes, never past `end`; false on a failed or empty read before `end`.
  bool Read(std::uint8_t* into, std::size_t wanted, std::uint64_t end, std::size_t& got) {
    got = 0;
    if (position_ >= end) return true;
    const auto piece = static_cast<DWORD>(std::min<std::uint64_t>(wanted, end - position_));
    DWORD read = 0;
    if (!ReadFile(file_.get(), into, piece, &read, nullptr) || read == 0) return false;
    position_ += read;
    got = read;
    return true;
  }

  std::uint64_t position() const { return position_; }
  void Close() { file_.reset(); }

 private:
  UniqueHandle file_;
  bool ok_ = false;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
};

// Writes the finished file, hashing on the way, and never past the entry's size.
class FinishedWriter {
 public:
  FinishedWriter(HANDLE file, const FileEntry& entry) : file_(file), entry_(entry) {}

  // False when writing must stop: the content grew past the size, or the write failed (recorded).
  bool Write(const std::uint8_t* data, std::size_t size) {
    written_ += size;
    if (written_ > entry_.size) return false;
    hash_.Update(ByteView(data, size));
    DWORD done = 0;
    if (!WriteFile(file_, data, static_cast<DWORD>(size), &done, nullptr) || done != size) {
      failure_ = LastErrorStatus("write " + entry_.path);
      return false;
    }
    return true;
  }

  void Fail(Status failure) { failure_ = std::move(failure); }
  const Status& failure() const { return failure_; }
  bool Proved() { return written_ == entry_.size && Sha256Hex(hash_.Finish()) == entry_.sha256; }

 private:
  HANDLE file_;
  const FileEntry& entry_;
  Sha256 hash_;
  std::uint64_t written_ = 0;
  Status failure_;
};

// A plain object is its own content: proving it where it lies and renaming it spares writing every
// byte a second time, and the disk space for that second copy.
Status ProvePlainInPlace(PartReader& part, const std::filesystem::path& part_file, const FileEntry& entry,
                         const std::filesystem::path& finished_file) {
  const StepBuffer buffer(ScratchUse::PartInput);
  Status failure;
  if (buffer.data == nullptr) failure = MakeStatus(StatusKind::Io, "no memory");
  Sha256 hash;
  while (failure.ok() && part.position() < part.size()) {
    std::size_t got = 0;
    if (!part.Read(buffer.data, buffer.capacity, part.size(), got)) {
      failure = Corrupt(entry, ": unreadable part");
    } else {
      hash.Update(ByteView(buffer.data, got));
    }
  }
  part.Close();
  if (failure.ok() && (part.size() != entry.size || Sha256Hex(hash.Finish()) != entry.sha256)) {
    failure = MakeStatus(StatusKind::Corrupt, entry.path);
  }
  if (failure.ok() && !MoveFileExW(part_file.c_str(), finished_file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    failure = LastErrorStatus("create " + entry.path);
  }
  if (!failure.ok()) {
    DeleteFileW(part_file.c_str());
    DeleteFileW(finished_file.c_str());
  }
  return failure;
}

// The header, which may in principle be longer than one step, read until it is complete.
bool ReadGzipHeader(PartReader& part, Bytes& head, std::size_t& data_start) {
  while (true) {
    const std::size_t before = head.size();
    head.resize(before + kHeaderStepBytes);
    std::size_t got = 0;
    const bool read = part.Read(head.data() + before, kHeaderStepBytes, part.size(), got);
    head.resize(before + got);
    if (!read) return false;
    const GzipHeaderResult result = ParseGzipHeaderPrefix(head, part.size(), data_start);
    if (result != GzipHeaderResult::NeedMore || got == 0) return result == GzipHeaderResult::Ok;
  }
}

void Inflate(PartReader& part, FinishedWriter& writer, const FileEntry& entry) {
  Bytes head;
  std::size_t data_start = 0;
  if (!ReadGzipHeader(part, head, data_start)) return writer.Fail(Corrupt(entry, ": gzip header"));
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return writer.Fail(MakeStatus(StatusKind::Io, "inflate init"));

  // The trailer's CRC-32 and length are not examined: the SHA-256 proves the content.
  const std::uint64_t data_end = part.size() - kGzipTrailerBytes;
  const std::size_t head_data = static_cast<std::size_t>(std::min<std::uint64_t>(head.size(), data_end));
  const StepBuffer input(ScratchUse::PartInput);
  const StepBuffer output(ScratchUse::PartOutput);
  if (input.data == nullptr || output.data == nullptr) {
    inflateEnd(&stream);
    return writer.Fail(MakeStatus(StatusKind::Io, "no memory"));
  }
  stream.next_in = head.data() + data_start;
  stream.avail_in = static_cast<uInt>(head_data - data_start);
  while (true) {
    if (stream.avail_in == 0 && part.position() < data_end) {
      std::size_t got = 0;
      if (!part.Read(input.data, input.capacity, data_end, got)) {
        writer.Fail(Corrupt(entry, ": unreadable part"));
        break;
      }
      stream.next_in = input.data;
      stream.avail_in = static_cast<uInt>(got);
    }
    stream.next_out = output.data;
    stream.avail_out = static_cast<uInt>(output.capacity);
    const int result = inflate(&stream, Z_NO_FLUSH);
    const bool more_input = part.position() < data_end;
    // Running dry between two pieces of input is no damage; running dry at the end of it is.
    if (result != Z_OK && result != Z_STREAM_END && !(result == Z_BUF_ERROR && more_input && stream.avail_in == 0)) {
      writer.Fail(Corrupt(entry, ": inflate"));
      break;
    }
    const std::size_t produced = output.capacity - stream.avail_out;
    if (produced > 0 && !writer.Write(output.data, produced)) break;
    if (result == Z_STREAM_END) break;
  }
  inflateEnd(&stream);
}

}  // namespace

Status UnpackPart(const std::filesystem::path& part_file, const FileEntry& entry,
                  const std::filesystem::path& finished_file) {
  PartReader part(part_file, entry);
  if (!part.ok()) {
    part.Close();
    DeleteFileW(part_file.c_str());
    return Corrupt(entry, ": unreadable part");
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

  FinishedWriter writer(finished.get(), entry);
  // Without gz only the empty content, which has no part file, comes here: nothing to write.
  if (entry.gz) Inflate(part, writer, entry);
  FlushFileBuffers(finished.get());
  finished.reset();
  part.Close();
  DeleteFileW(part_file.c_str());

  Status failure = writer.failure();
  if (failure.ok() && !writer.Proved()) failure = MakeStatus(StatusKind::Corrupt, entry.path);
  if (!failure.ok()) DeleteFileW(finished_file.c_str());
  return failure;
}

}  // namespace dkl
