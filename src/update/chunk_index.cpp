#include "update/chunk_index.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "update/manifest_validation.h"

namespace dkl {
namespace {

constexpr std::string_view kMagic = "DKCHUNKS";

Status Refuse(const std::string& reason) { return MakeStatus(StatusKind::Corrupt, "chunk index: " + reason); }

// Writes forward into bytes sized for everything written.
class Writer {
 public:
  explicit Writer(Bytes& out) : next_(out.data()) {}
  void U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) *next_++ = static_cast<std::uint8_t>(value >> shift);
  }
  void U64(std::uint64_t value) {
    U32(static_cast<std::uint32_t>(value));
    U32(static_cast<std::uint32_t>(value >> 32));
  }
  void Copy(ByteView bytes) { next_ = std::copy(bytes.begin(), bytes.end(), next_); }

 private:
  std::uint8_t* next_;
};

// Reads forward through bytes whose length the caller has already checked.
class Reader {
 public:
  explicit Reader(ByteView bytes) : next_(bytes.data()) {}
  std::uint32_t U32() {
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= std::uint32_t{*next_++} << shift;
    return value;
  }
  std::uint64_t U64() {
    const std::uint64_t low = U32();
    return low | std::uint64_t{U32()} << 32;
  }
  void Copy(std::uint8_t* out, std::size_t size) {
    std::copy(next_, next_ + size, out);
    next_ += size;
  }

 private:
  const std::uint8_t* next_;
};

Status ReadHeader(ByteView bytes, ChunkIndex& index, std::uint32_t& count) {
  if (bytes.size() < kChunkIndexHeaderBytes || AsText(bytes.first(kMagic.size())) != kMagic) {
    return Refuse("not an index");
  }
  Reader reader(bytes.subspan(kMagic.size()));
  const std::uint32_t version = reader.U32();
  if (version != kChunkIndexVersion) return Refuse("version " + std::to_string(version));
  index.params.min_size = reader.U32();
  index.params.avg_size = reader.U32();
  index.params.max_size = reader.U32();
  index.file_size = reader.U64();
  count = reader.U32();
  if (!AreValidChunkParams(index.params)) return Refuse("chunk sizes");
  if (index.file_size > kMaxObjectBytes) return Refuse("file size");
  if (count > kMaxIndexedChunks) return Refuse("chunk count");
  if (bytes.size() != kChunkIndexHeaderBytes + std::uint64_t{kChunkIndexEntryBytes} * count) return Refuse("length");
  return OkStatus();
}

}  // namespace

Bytes SerializeChunkIndex(const ChunkIndex& index) {
  Bytes out(kChunkIndexHeaderBytes + kChunkIndexEntryBytes * index.chunks.size());
  Writer writer(out);
  writer.Copy(AsBytes(kMagic));
  writer.U32(kChunkIndexVersion);
  writer.U32(index.params.min_size);
  writer.U32(index.params.avg_size);
  writer.U32(index.params.max_size);
  writer.U64(index.file_size);
  writer.U32(static_cast<std::uint32_t>(index.chunks.size()));
  for (const ChunkRecord& chunk : index.chunks) {
    writer.U32(chunk.length);
    writer.Copy(chunk.sha256);
  }
  return out;
}

Status ParseChunkIndex(ByteView bytes, ChunkIndex& index) {
  index = {};
  std::uint32_t count = 0;
  if (Status status = ReadHeader(bytes, index, count); !status.ok()) return status;
  index.chunks.resize(count);
  Reader reader(bytes.subspan(kChunkIndexHeaderBytes));
  std::uint64_t total = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    ChunkRecord& chunk = index.chunks[i];
    chunk.length = reader.U32();
    reader.Copy(chunk.sha256.data(), chunk.sha256.size());
    const bool last = i + 1 == count;
    if (chunk.length == 0 || chunk.length > index.params.max_size || (!last && chunk.length < index.params.min_size)) {
      return Refuse("chunk " + std::to_string(i) + " length");
    }
    total += chunk.length;
  }
  if (total != index.file_size) return Refuse("lengths do not add up to the file size");
  return OkStatus();
}

}  // namespace dkl
