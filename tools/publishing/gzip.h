// gzip (RFC 1952) compression as the update site stores objects: best compression and a
// modification time of 0, so that the same content always yields the same object bytes.
#pragma once

#include <memory>

#include "base/bytes.h"
#include "base/status.h"

struct z_stream_s;

namespace dkl::publishing {

class GzipEncoder {
 public:
  GzipEncoder();
  GzipEncoder(const GzipEncoder&) = delete;
  GzipEncoder& operator=(const GzipEncoder&) = delete;
  ~GzipEncoder();

  // Kind io when zlib cannot start (no memory).
  Status Start();
  // Appends whatever compressed bytes are ready to `output`; the caller drains it as it likes.
  Status Feed(ByteView input, Bytes& output);
  // Appends the rest of the stream and the trailer; the encoder must be started again for reuse.
  Status Finish(Bytes& output);

 private:
  Status Run(ByteView input, int flush, Bytes& output);
  void End();

  std::unique_ptr<z_stream_s> stream_;
  bool started_ = false;
};

// The whole gzip file for `data`.
Status GzipCompress(ByteView data, Bytes& compressed);

}  // namespace dkl::publishing
