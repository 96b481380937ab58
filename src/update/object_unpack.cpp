#include "update/object_unpack.h"

#include <zlib.h>

#include <algorithm>

#include "update/gzip_header.h"
#include "update/proving_writer.h"

namespace dkl {
namespace {

constexpr std::uint64_t kGzipTrailerBytes = 8;

Status Corrupt(const FileEntry& entry, const char* what) {
  return MakeStatus(StatusKind::Corrupt, entry.path + what);
}

// The object's bytes in order, never read past its length.
class ObjectReader {
 public:
  ObjectReader(ByteSource& source, std::uint64_t length) : source_(source), length_(length) {}

  // Reads up to `into.size()` bytes, never past `end`; false when the source runs dry before `end`.
  bool Read(std::span<std::uint8_t> into, std::uint64_t end, std::size_t& got) {
    got = 0;
    if (position_ >= end) return true;
    got = source_.Read(into.first(static_cast<std::size_t>(std::min<std::uint64_t>(into.size(), end - position_))));
    position_ += got;
    return got > 0;
  }

  std::uint64_t position() const { return position_; }
  std::uint64_t length() const { return length_; }

 private:
  ByteSource& source_;
  std::uint64_t length_;
  std::uint64_t position_ = 0;
};

// Released on every way out.
class RawInflater {
 public:
  RawInflater() { started_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
  RawInflater(const RawInflater&) = delete;
  RawInflater& operator=(const RawInflater&) = delete;
  ~RawInflater() {
    if (started_) inflateEnd(&stream_);
  }

  bool started() const { return started_; }
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
  bool started_ = false;
};

// Reads the header through the input buffer, keeping none of its bytes, and leaves in `head_data`
// the DEFLATE bytes that the last read brought after it.
Status SkipGzipHeader(ObjectReader& object, const UnpackBuffers& buffers, const FileEntry& entry,
                      ByteView& head_data) {
  GzipHeaderWalk walk;
  while (true) {
    const std::uint64_t read_from = object.position();
    std::size_t got = 0;
    if (!object.Read(buffers.input, object.length(), got) || got == 0) return Corrupt(entry, ": unreadable part");
    const std::size_t taken = walk.Feed(ByteView(buffers.input.data(), got));
    if (walk.bad() || walk.least_length() + kGzipTrailerBytes > object.length()) return Corrupt(entry, ": gzip header");
    if (walk.complete()) {
      // The read may have reached into the trailer.
      const std::uint64_t data_end = object.length() - kGzipTrailerBytes;
      const std::size_t head_end = static_cast<std::size_t>(std::min<std::uint64_t>(got, data_end - read_from));
      head_data = ByteView(buffers.input.data() + taken, head_end - taken);
      return OkStatus();
    }
  }
}

// The DEFLATE data between the header and the trailer, whose CRC-32 and length are not examined:
// the SHA-256 proves the content. Input after the end of the stream is ignored.
Status InflateData(ObjectReader& object, ByteView head_data, const UnpackBuffers& buffers, ProvingWriter& writer,
                   const FileEntry& entry) {
  RawInflater inflater;
  if (!inflater.started()) return MakeStatus(StatusKind::Io, "inflate init");
  z_stream& stream = inflater.stream();
  const std::uint64_t data_end = object.length() - kGzipTrailerBytes;
  stream.next_in = const_cast<std::uint8_t*>(head_data.data());
  stream.avail_in = static_cast<uInt>(head_data.size());
  while (true) {
    if (stream.avail_in == 0 && object.position() < data_end) {
      std::size_t got = 0;
      if (!object.Read(buffers.input, data_end, got)) return Corrupt(entry, ": unreadable part");
      stream.next_in = buffers.input.data();
      stream.avail_in = static_cast<uInt>(got);
    }
    stream.next_out = buffers.output.data();
    stream.avail_out = static_cast<uInt>(buffers.output.size());
    const int result = inflate(&stream, Z_NO_FLUSH);
    const bool more_input = object.position() < data_end;
    // Running dry between two pieces of input is no damage; running dry at the end of it is.
    if (result != Z_OK && result != Z_STREAM_END && !(result == Z_BUF_ERROR && more_input && stream.avail_in == 0)) {
      return Corrupt(entry, ": inflate");
    }
    const std::size_t produced = buffers.output.size() - stream.avail_out;
    if (produced > 0 && !writer.Write(ByteView(buffers.output.data(), produced))) return writer.failure();
    if (result == Z_STREAM_END) return OkStatus();
  }
}

Status Inflate(ObjectReader& object, const UnpackBuffers& buffers, ProvingWriter& writer, const FileEntry& entry) {
  ByteView head_data;
  if (Status failure = SkipGzipHeader(object, buffers, entry, head_data); !failure.ok()) return failure;
  return InflateData(object, head_data, buffers, writer, entry);
}

Status CopyPlain(ObjectReader& object, const UnpackBuffers& buffers, ProvingWriter& writer, const FileEntry& entry) {
  while (object.position() < object.length()) {
    std::size_t got = 0;
    if (!object.Read(buffers.input, object.length(), got)) return Corrupt(entry, ": unreadable part");
    if (!writer.Write(ByteView(buffers.input.data(), got))) return writer.failure();
  }
  return OkStatus();
}

}  // namespace

Status UnpackObject(ByteSource& source, std::uint64_t length, const FileEntry& entry, const UnpackBuffers& buffers,
                    ByteSink& sink) {
  if (buffers.input.empty() || buffers.output.empty()) return MakeStatus(StatusKind::Io, "no memory");
  ObjectReader object(source, length);
  ProvingWriter writer(sink, entry);
  if (Status failure = entry.gz ? Inflate(object, buffers, writer, entry) : CopyPlain(object, buffers, writer, entry);
      !failure.ok()) {
    return failure;
  }
  if (!writer.Proved()) return MakeStatus(StatusKind::Corrupt, entry.path);
  return OkStatus();
}

}  // namespace dkl
