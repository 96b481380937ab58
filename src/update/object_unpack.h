// Turning a downloaded object into its content, proved: the part of the unpack that only moves bytes.
#pragma once

#include <cstdint>
#include <span>

#include "base/byte_stream.h"
#include "base/status.h"
#include "update/manifest.h"

namespace dkl {

// The unpack's two working buffers, 1 MiB each in the launcher: compressed input, inflated output.
struct UnpackBuffers {
  std::span<std::uint8_t> input;
  std::span<std::uint8_t> output;
};

// Reads the object of `length` bytes from `source` (gzip when the entry has gz, else the content
// itself), writes the content to `sink`, never more than the entry's size, and proves its size and
// SHA-256. Kind corrupt with the entry's path followed by ": unreadable part", ": gzip header" or
// ": inflate", or the path alone when the proof fails; kind io "no memory" or "inflate init"; or
// the sink's own failure. On failure the sink may hold part of the content.
Status UnpackObject(ByteSource& source, std::uint64_t length, const FileEntry& entry, const UnpackBuffers& buffers,
                    ByteSink& sink);

}  // namespace dkl
