#include "update/chunk_index.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace dkl {
namespace {

constexpr ChunkParams kParams{4096, 16384, 65536};

ChunkRecord Chunk(std::uint32_t length, std::uint8_t fill) {
  ChunkRecord chunk{length, {}};
  chunk.sha256.fill(fill);
  return chunk;
}

// Three chunks, the last shorter than min_size as the end of a file may be.
ChunkIndex ValidIndex() { return {kParams, 70000, {Chunk(65536, 1), Chunk(4364, 2), Chunk(100, 3)}}; }

void PutU32At(Bytes& bytes, std::size_t offset, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(ChunkIndex, ParsesWhatItSerialises) {
  const ChunkIndex empty{kParams, 0, {}};
  for (const ChunkIndex& index : {ValidIndex(), empty}) {
    const Bytes bytes = SerializeChunkIndex(index);
    EXPECT_EQ(bytes.size(), kChunkIndexHeaderBytes + kChunkIndexEntryBytes * index.chunks.size());
    ChunkIndex parsed;
    const Status status = ParseChunkIndex(bytes, parsed);
    ASSERT_TRUE(status.ok()) << status.message;
    EXPECT_EQ(parsed, index);
  }
}

TEST(ChunkIndex, WritesTheDocumentedLayout) {
  const Bytes bytes = SerializeChunkIndex(ValidIndex());
  const Bytes header = {'D', 'K', 'C', 'H', 'U', 'N', 'K', 'S', 1, 0, 0, 0, 0, 0x10, 0, 0, 0, 0x40, 0, 0,
                        0,   0,   1,   0,   0x70, 0x11, 1, 0, 0, 0, 0, 0, 3,    0, 0, 0};
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + kChunkIndexHeaderBytes), header);
  EXPECT_EQ(Bytes(bytes.begin() + 36, bytes.begin() + 41), (Bytes{0, 0, 1, 0, 1}));
}

TEST(ChunkIndex, RefusesEveryBrokenRule) {
  const Bytes valid = SerializeChunkIndex(ValidIndex());
  const auto with = [&](const std::function<void(Bytes&)>& bend) {
    Bytes bytes = valid;
    bend(bytes);
    return bytes;
  };
  const auto index_with = [](const std::function<void(ChunkIndex&)>& bend) {
    ChunkIndex index = ValidIndex();
    bend(index);
    return SerializeChunkIndex(index);
  };
  const struct {
    const char* name;
    Bytes bytes;
    const char* message;
  } cases[] = {
      {"empty", {}, "chunk index: not an index"},
      {"header cut short", Bytes(valid.begin(), valid.begin() + 35), "chunk index: not an index"},
      {"wrong magic", with([](Bytes& b) { b[0] = 'd'; }), "chunk index: not an index"},
      {"later version", with([](Bytes& b) { PutU32At(b, 8, 2); }), "chunk index: version 2"},
      {"min below the window", index_with([](ChunkIndex& i) { i.params.min_size = 255; }), "chunk index: chunk sizes"},
      {"average not a power of two", index_with([](ChunkIndex& i) { i.params.avg_size = 20000; }),
       "chunk index: chunk sizes"},
      {"max above 1 MiB", index_with([](ChunkIndex& i) { i.params.max_size = 1048577; }), "chunk index: chunk sizes"},
      {"file above 4 GiB", index_with([](ChunkIndex& i) { i.file_size = 4294967297; }), "chunk index: file size"},
      {"count above the cap", with([](Bytes& b) { PutU32At(b, 32, kMaxIndexedChunks + 1); }),
       "chunk index: chunk count"},
      {"count beyond the bytes", with([](Bytes& b) { PutU32At(b, 32, kMaxIndexedChunks); }), "chunk index: length"},
      {"one byte too many", with([](Bytes& b) { b.push_back(0); }), "chunk index: length"},
      {"last entry cut short", with([](Bytes& b) { b.pop_back(); }), "chunk index: length"},
      {"empty chunk", index_with([](ChunkIndex& i) { i.chunks[2].length = 0; }), "chunk index: chunk 2 length"},
      {"chunk above max", index_with([](ChunkIndex& i) { i.chunks[0].length = 65537; }), "chunk index: chunk 0 length"},
      {"inner chunk below min", index_with([](ChunkIndex& i) { i.chunks[1].length = 4095; }),
       "chunk index: chunk 1 length"},
      {"lengths short of the size", index_with([](ChunkIndex& i) { i.file_size += 1; }),
       "chunk index: lengths do not add up to the file size"},
      {"chunks for an empty file", index_with([](ChunkIndex& i) { i.file_size = 0; }),
       "chunk index: lengths do not add up to the file size"},
  };
  for (const auto& c : cases) {
    ChunkIndex parsed;
    const Status status = ParseChunkIndex(c.bytes, parsed);
    EXPECT_EQ(status.kind, StatusKind::Corrupt) << c.name;
    EXPECT_EQ(status.message, c.message) << c.name;
  }
}

}  // namespace
}  // namespace dkl
