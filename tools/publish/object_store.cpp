#include "publish/object_store.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "publish/object_check.h"
#include "publish/pending_file.h"
#include "publish/posix_file.h"
#include "publishing/gzip.h"
#include "publishing/object_names.h"

namespace dkl::publish {
namespace {

struct Presence {
  bool exists = false;
  bool regular = false;
  std::uint64_t size = 0;
};

Status Probe(const std::string& path, Presence& presence) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) {
    presence = {};
    return errno == ENOENT ? OkStatus() : ErrnoStatus(errno, "stat " + path);
  }
  presence = {true, S_ISREG(info.st_mode), static_cast<std::uint64_t>(info.st_size)};
  return OkStatus();
}

// Copies the source into the plain object and, when `packed` is given, compresses it into a
// candidate gzip object in the same pass, proving on the way that the source is still the content.
Status WriteObjects(const std::string& source, const FileDigest& content, PendingFile& plain, PendingFile* packed,
                    std::uint64_t& packed_size) {
  UniqueFd input;
  Status status = OpenForReading(source, input);
  if (status.ok()) status = plain.Create();
  publishing::GzipEncoder encoder;
  if (status.ok() && packed) status = packed->Create();
  if (status.ok() && packed) status = encoder.Start();
  Bytes& buffer = ChunkBuffer();
  Bytes compressed;
  Sha256 sha;
  std::uint64_t size = 0;
  packed_size = 0;
  for (std::size_t got = buffer.size(); status.ok() && got == buffer.size();) {
    status = ReadFully(input.get(), buffer.data(), buffer.size(), got, source);
    const ByteView chunk = ByteView(buffer).first(got);
    sha.Update(chunk);
    size += got;
    if (status.ok()) status = plain.Write(chunk);
    if (status.ok() && packed) status = encoder.Feed(chunk, compressed);
    if (status.ok() && packed && (got < buffer.size() || compressed.size() >= buffer.size())) {
      if (got < buffer.size()) status = encoder.Finish(compressed);
      if (status.ok()) status = packed->Write(compressed);
      packed_size += compressed.size();
      compressed.clear();
    }
  }
  if (!status.ok()) return status;
  if (size != content.size || sha.FinishHex() != content.sha256) {
    return MakeStatus(StatusKind::Io, source + " changed while it was published");
  }
  status = plain.Close();
  if (status.ok() && packed) status = packed->Close();
  return status;
}

Status WriteNewObjects(const std::string& source, const FileDigest& content, const std::string& plain_path,
                       bool try_gzip, StoredObject& stored) {
  PendingFile plain(plain_path);
  PendingFile packed(plain_path + ".gz");
  std::uint64_t packed_size = 0;
  Status status = WriteObjects(source, content, plain, try_gzip ? &packed : nullptr, packed_size);
  if (!status.ok()) return status;
  // The gzip object goes into place first: a plain object on the site then always means that the
  // gzip decision for its content was made and carried out.
  if (try_gzip && WorthServingCompressed(content.size, packed_size)) {
    status = packed.Commit();
    if (!status.ok()) return status;
    stored.gz = packed_size;
    stored.wrote_gz = true;
  }
  status = plain.Commit();
  stored.wrote_plain = status.ok();
  return status;
}

Status ExistingObjectError(const std::string& relative, const std::string& reason) {
  return MakeStatus(StatusKind::Corrupt, "existing object " + relative + " " + reason);
}

}  // namespace

bool WorthServingCompressed(std::uint64_t size, std::uint64_t compressed) {
  return compressed + kMinGzipSavingBytes <= size && compressed * 10 <= size * 9;
}

Status StoreObject(const std::filesystem::path& site, const std::string& source, const FileDigest& content,
                   StoredObject& stored) {
  stored = {};
  const std::string relative = publishing::ObjectPath(content.sha256, false);
  const std::string plain_path = (site / relative).string();
  const std::string packed_path = plain_path + ".gz";
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(plain_path).parent_path(), error);
  if (error) return MakeStatus(StatusKind::Io, "create the folder of " + plain_path + ": " + error.message());

  Presence plain;
  Presence packed;
  Status status = Probe(plain_path, plain);
  if (status.ok()) status = Probe(packed_path, packed);
  if (!status.ok()) return status;
  if (plain.exists && (!plain.regular || plain.size != content.size)) {
    return ExistingObjectError(relative, plain.regular ? "is " + std::to_string(plain.size) + " bytes, expected " +
                                                             std::to_string(content.size)
                                                       : "is not a regular file");
  }
  if (packed.exists) {
    status = CheckObjectFile(packed_path, content, packed.size);
    if (status.kind == StatusKind::Corrupt) return ExistingObjectError(relative + ".gz", status.message);
    if (!status.ok()) return status;
    stored.gz = packed.size;
  }
  if (plain.exists) return OkStatus();
  const bool try_gzip = !packed.exists && content.size > kMinGzipSavingBytes;
  return WriteNewObjects(source, content, plain_path, try_gzip, stored);
}

}  // namespace dkl::publish
