// The write step of every finished file: never past the entry's size, hashed on the way, proved at
// the end.
#pragma once

#include <cstdint>

#include "base/byte_stream.h"
#include "update/manifest.h"
#include "update/sha256.h"

namespace dkl {

class ProvingWriter {
 public:
  ProvingWriter(ByteSink& sink, const FileEntry& entry) : sink_(sink), entry_(entry) {}

  // False when writing must stop: the content grew past the entry's size (the proof then fails,
  // nothing is recorded) or the sink failed (recorded as the failure).
  bool Write(ByteView bytes);

  const Status& failure() const { return failure_; }
  // The size and SHA-256 of everything written equal the entry's. Call once, after the last write.
  bool Proved();

 private:
  ByteSink& sink_;
  const FileEntry& entry_;
  Sha256 hash_;
  std::uint64_t written_ = 0;
  Status failure_;
};

}  // namespace dkl
