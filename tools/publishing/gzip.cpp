#include "publishing/gzip.h"

#include <zlib.h>

#include <array>
#include <limits>

namespace dkl::publishing {
namespace {

constexpr int kGzipWindowBits = 15 + 16;  // 32 KiB window, gzip wrapper instead of zlib's
constexpr int kMemoryLevel = 9;
// zlib counts input in 32-bit units; longer views are fed in pieces of this size.
constexpr std::size_t kMaxPiece = std::numeric_limits<uInt>::max() / 2 + 1;

}  // namespace

GzipEncoder::GzipEncoder() : stream_(std::make_unique<z_stream_s>()) {}

GzipEncoder::~GzipEncoder() { End(); }

void GzipEncoder::End() {
  if (started_) deflateEnd(stream_.get());
  started_ = false;
}

Status GzipEncoder::Start() {
  End();
  *stream_ = z_stream_s{};
  // Without deflateSetHeader zlib writes a header with modification time 0, no name and no comment.
  if (deflateInit2(stream_.get(), Z_BEST_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY) !=
      Z_OK) {
    return MakeStatus(StatusKind::Io, "deflate init");
  }
  started_ = true;
  return OkStatus();
}

Status GzipEncoder::Run(ByteView input, int flush, Bytes& output) {
  if (!started_) return MakeStatus(StatusKind::Io, "deflate not started");
  std::array<std::uint8_t, 65536> chunk;
  do {
    const ByteView piece = input.first(std::min(input.size(), kMaxPiece));
    input = input.subspan(piece.size());
    const int piece_flush = input.empty() ? flush : Z_NO_FLUSH;
    stream_->next_in = const_cast<Bytef*>(piece.data());
    stream_->avail_in = static_cast<uInt>(piece.size());
    int result = Z_OK;
    do {
      stream_->next_out = chunk.data();
      stream_->avail_out = static_cast<uInt>(chunk.size());
      result = deflate(stream_.get(), piece_flush);
      if (result == Z_STREAM_ERROR) return MakeStatus(StatusKind::Io, "deflate");
      output.insert(output.end(), chunk.data(), chunk.data() + (chunk.size() - stream_->avail_out));
    } while (stream_->avail_out == 0 || (piece_flush == Z_FINISH && result != Z_STREAM_END));
  } while (!input.empty());
  return OkStatus();
}

Status GzipEncoder::Feed(ByteView input, Bytes& output) { return Run(input, Z_NO_FLUSH, output); }

Status GzipEncoder::Finish(Bytes& output) {
  Status status = Run({}, Z_FINISH, output);
  End();
  return status;
}

Status GzipCompress(ByteView data, Bytes& compressed) {
  compressed.clear();
  GzipEncoder encoder;
  Status status = encoder.Start();
  if (status.ok()) status = encoder.Feed(data, compressed);
  if (status.ok()) status = encoder.Finish(compressed);
  return status;
}

}  // namespace dkl::publishing
