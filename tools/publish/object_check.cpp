#include "publish/object_check.h"

#include <sys/stat.h>
#include <zlib.h>

#include <cerrno>

#include "publish/posix_file.h"

namespace dkl::publish {
namespace {

constexpr int kGzipWindowBits = 15 + 16;

Status Damaged(std::string reason) { return MakeStatus(StatusKind::Corrupt, std::move(reason)); }

class Inflater {
 public:
  Inflater() = default;
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  ~Inflater() {
    if (started_) inflateEnd(&stream_);
  }

  bool Start() { return started_ = inflateInit2(&stream_, kGzipWindowBits) == Z_OK; }
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
  bool started_ = false;
};

// Inflates the open gzip file into the hash, refusing to produce more than `limit` bytes.
Status InflateInto(int fd, const std::string& path, std::uint64_t limit, Sha256& sha, std::uint64_t& produced,
                   const ContentObserver& observer) {
  Inflater inflater;
  if (!inflater.Start()) return MakeStatus(StatusKind::Io, "inflate init");
  z_stream& stream = inflater.stream();
  Bytes& input = ChunkBuffer();
  thread_local Bytes output(input.size());
  bool at_end_of_file = false;
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    if (stream.avail_in == 0) {
      if (at_end_of_file) return Damaged("gzip stream is cut short");
      std::size_t got = 0;
      Status status = ReadFully(fd, input.data(), input.size(), got, path);
      if (!status.ok()) return status;
      at_end_of_file = got < input.size();
      stream.next_in = input.data();
      stream.avail_in = static_cast<uInt>(got);
      continue;
    }
    stream.next_out = output.data();
    stream.avail_out = static_cast<uInt>(output.size());
    result = inflate(&stream, Z_NO_FLUSH);
    if (result != Z_OK && result != Z_STREAM_END) return Damaged("does not inflate");
    const std::size_t count = output.size() - stream.avail_out;
    produced += count;
    if (produced > limit) return Damaged("inflates to more than " + std::to_string(limit) + " bytes");
    sha.Update(ByteView(output).first(count));
    if (observer) observer(ByteView(output).first(count));
  }
  std::size_t more = 0;
  std::uint8_t probe = 0;
  Status status = ReadFully(fd, &probe, 1, more, path);
  if (!status.ok()) return status;
  if (stream.avail_in != 0 || more != 0) return Damaged("data after the gzip stream");
  return OkStatus();
}

}  // namespace

Status CheckObjectFile(const std::string& path, const FileDigest& content, std::optional<std::uint64_t> gz,
                       const ContentObserver& observer) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0) {
    return errno == ENOENT ? Damaged("missing") : ErrnoStatus(errno, "stat " + path);
  }
  if (!S_ISREG(info.st_mode)) return Damaged("not a regular file");
  const std::uint64_t expected = gz ? *gz : content.size;
  if (static_cast<std::uint64_t>(info.st_size) != expected) {
    return Damaged("is " + std::to_string(info.st_size) + " bytes, expected " + std::to_string(expected));
  }
  UniqueFd fd;
  Status status = OpenForReading(path, fd);
  if (!status.ok()) return status;
  Sha256 sha;
  std::uint64_t produced = 0;
  status = gz ? InflateInto(fd.get(), path, content.size, sha, produced, observer)
              : HashOpenFile(fd.get(), path, sha, produced, observer);
  if (!status.ok()) return status;
  if (produced != content.size) {
    return Damaged("holds " + std::to_string(produced) + " bytes of content, expected " + std::to_string(content.size));
  }
  if (sha.FinishHex() != content.sha256) return Damaged("SHA-256 differs");
  return OkStatus();
}

}  // namespace dkl::publish
