#include "publish/chunk_indexing.h"

#include <sys/stat.h>

#include <cerrno>
#include <mutex>
#include <system_error>

#include "publish/object_check.h"
#include "publish/pending_file.h"
#include "publish/posix_file.h"
#include "publishing/object_names.h"
#include "update/chunk_index_builder.h"
#include "update/sha256.h"

namespace dkl::publish {
namespace {

Status Damaged(std::string reason) { return MakeStatus(StatusKind::Corrupt, std::move(reason)); }

std::string Sha256HexOf(ByteView bytes) {
  dkl::Sha256 sha;
  sha.Update(bytes);
  return Sha256Hex(sha.Finish());
}

Status WriteNewObject(const std::string& path, ByteView bytes) {
  PendingFile file(path);
  Status status = file.Create();
  if (status.ok()) status = file.Write(bytes);
  if (status.ok()) status = file.Close();
  if (status.ok()) status = file.Commit();
  return status;
}

// The index object itself: present, of the named size and SHA-256, and well formed.
Status ReadIndexObject(const std::filesystem::path& site, const ChunkIndexRef& ref, ChunkIndex& index) {
  const std::string relative = publishing::ObjectPath(ref.sha256, false);
  const std::string path = (site / relative).string();
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) {
    return errno == ENOENT ? Damaged(relative + ": missing") : ErrnoStatus(errno, "stat " + path);
  }
  if (!S_ISREG(info.st_mode) || static_cast<std::uint64_t>(info.st_size) != ref.size) {
    return Damaged(relative + ": is " + std::to_string(info.st_size) + " bytes, expected " + std::to_string(ref.size));
  }
  Bytes bytes;
  Status status = ReadWholeFile(path, static_cast<std::size_t>(kMaxChunkIndexBytes), bytes);
  if (!status.ok()) return status;
  if (Sha256HexOf(bytes) != ref.sha256) return Damaged(relative + ": SHA-256 differs");
  status = ParseChunkIndex(bytes, index);
  if (!status.ok()) return Damaged(relative + ": " + status.message);
  return OkStatus();
}

}  // namespace

Status HashAndIndexFile(const std::string& path, FileDigest& digest, ChunkIndex& index) {
  ChunkIndexBuilder builder(kPublishedChunkParams);
  Status status = HashFile(path, digest, [&](ByteView piece) { builder.Feed(piece); });
  if (status.ok()) index = builder.Finish();
  return status;
}

Status StoreChunkIndex(const std::filesystem::path& site, const ChunkIndex& index, ChunkIndexRef& ref) {
  const Bytes bytes = SerializeChunkIndex(index);
  ref = {Sha256HexOf(bytes), bytes.size()};
  const std::string relative = publishing::ObjectPath(ref.sha256, false);
  const std::string path = (site / relative).string();
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  if (error) return MakeStatus(StatusKind::Io, "create the folder of " + path + ": " + error.message());
  // Files with one content are hashed on several threads at once and yield one index, whose
  // temporary name is the same for the whole process: one writer at a time. Indexes are small.
  static std::mutex writing;
  const std::lock_guard lock(writing);
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) {
    return errno == ENOENT ? WriteNewObject(path, bytes) : ErrnoStatus(errno, "stat " + path);
  }
  // Named by its content, so an object of the right size is this index unless it was damaged, which
  // verify finds.
  if (S_ISREG(info.st_mode) && static_cast<std::uint64_t>(info.st_size) == ref.size) return OkStatus();
  return Damaged("existing object " + relative + " is not the chunk index it is named after");
}

Status CheckChunkIndex(const std::filesystem::path& site, const ChunkIndexRef& ref, const FileDigest& content) {
  ChunkIndex index;
  Status status = ReadIndexObject(site, ref, index);
  if (!status.ok()) return status;
  const std::string plain = publishing::ObjectPath(content.sha256, false);
  if (index.file_size != content.size) {
    return Damaged(publishing::ObjectPath(ref.sha256, false) + ": describes " + std::to_string(index.file_size) +
                   " bytes, the content has " + std::to_string(content.size));
  }
  // Launchers read byte ranges of the plain object, even where a gzip object serves whole downloads.
  ChunkIndexBuilder builder(index.params);
  status = CheckObjectFile((site / plain).string(), content, std::nullopt, [&](ByteView piece) { builder.Feed(piece); });
  if (status.kind == StatusKind::Corrupt) return Damaged(plain + ": " + status.message);
  if (!status.ok()) return status;
  if (builder.Finish() != index) {
    return Damaged(publishing::ObjectPath(ref.sha256, false) + ": does not match the chunks of " + plain);
  }
  return OkStatus();
}

}  // namespace dkl::publish
