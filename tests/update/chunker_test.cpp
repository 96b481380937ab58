#include "update/chunker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "update/chunk_index.h"
#include "update/chunk_index_builder.h"

namespace dkl {
namespace {

constexpr ChunkParams kParams{4096, 16384, 65536};

// Incompressible test data that is the same on every machine.
Bytes PseudoRandom(std::size_t size, std::uint64_t seed) {
  Bytes bytes(size);
  for (std::uint8_t& byte : bytes) {
    seed = seed * 6364136223846793005u + 1442695040888963407u;
    byte = static_cast<std::uint8_t>(seed >> 56);
  }
  return bytes;
}

// Chunk lengths of `data` fed in pieces of `piece` bytes.
std::vector<std::size_t> Lengths(ByteView data, std::size_t piece, const ChunkParams& params = kParams) {
  ChunkCutter cutter(params);
  std::vector<std::size_t> lengths;
  std::size_t current = 0;
  for (std::size_t at = 0; at < data.size(); at += piece) {
    ByteView rest = data.subspan(at, std::min(piece, data.size() - at));
    while (const std::optional<std::size_t> cut = cutter.FindCut(rest)) {
      lengths.push_back(current + *cut);
      current = 0;
      rest = rest.subspan(*cut);
    }
    current += rest.size();
  }
  if (current > 0) lengths.push_back(current);
  return lengths;
}

TEST(AreValidChunkParams, HoldsEveryReaderToTheLimits) {
  const struct {
    ChunkParams params;
    bool valid;
  } cases[] = {
      {kParams, true},
      {{256, 512, 513}, true},
      {{4096, 16384, 1048576}, true},
      {{255, 16384, 65536}, false},     // no room for the rolling window
      {{4096, 12288, 65536}, false},    // average not a power of two
      {{16384, 16384, 65536}, false},   // min not below average
      {{4096, 65536, 65536}, false},    // average not below max
      {{4096, 16384, 1048577}, false},  // max above 1 MiB
      {{0, 0, 0}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AreValidChunkParams(c.params), c.valid)
        << c.params.min_size << "/" << c.params.avg_size << "/" << c.params.max_size;
  }
}

TEST(ChunkCutter, CutsBetweenMinAndMaxWhateverThePiecesFed) {
  const Bytes data = PseudoRandom(1 << 20, 1);
  const std::vector<std::size_t> whole = Lengths(data, data.size());
  ASSERT_GT(whole.size(), 30u);
  for (std::size_t i = 0; i + 1 < whole.size(); ++i) {
    EXPECT_GE(whole[i], kParams.min_size);
    EXPECT_LE(whole[i], kParams.max_size);
  }
  for (const std::size_t piece : {1u, 63u, 4096u, 65537u}) EXPECT_EQ(Lengths(data, piece), whole) << piece;
}

TEST(ChunkCutter, CutsContentWithoutCutPointsAtMax) {
  const Bytes zeros(300000, 0);
  const std::vector<std::size_t> expected = {65536, 65536, 65536, 65536, 37856};
  EXPECT_EQ(Lengths(zeros, 1000), expected);
}

// The point of content-defined chunks: bytes inserted or deleted in the middle change only the
// chunks around them, and the chunks after them are found again.
TEST(ChunkCutter, FindsTheSameChunksAgainAfterAnInsertionOrADeletion) {
  const Bytes original = PseudoRandom(4 << 20, 2);
  Bytes inserted = original;
  const Bytes insertion = PseudoRandom(5000, 3);
  inserted.insert(inserted.begin() + (2 << 20), insertion.begin(), insertion.end());
  Bytes deleted = original;
  deleted.erase(deleted.begin() + 1000000, deleted.begin() + 1003000);

  const auto chunks = [](ByteView data) {
    ChunkIndexBuilder builder(kParams);
    builder.Feed(data);
    return builder.Finish().chunks;
  };
  const std::vector<ChunkRecord> before = chunks(original);
  std::set<Sha256Digest> known;
  for (const ChunkRecord& chunk : before) known.insert(chunk.sha256);
  for (const Bytes* changed : {&inserted, &deleted}) {
    std::size_t missing_bytes = 0;
    for (const ChunkRecord& chunk : chunks(*changed)) missing_bytes += known.contains(chunk.sha256) ? 0 : chunk.length;
    // The changed bytes and at most the chunks on either side of them.
    EXPECT_LE(missing_bytes, 5000 + 2 * kParams.max_size);
  }
}

// Every published index depends on the cut rule and the gear table: this pins both, so that a change
// to either shows here before launchers and publishers stop agreeing.
TEST(ChunkCutter, CutsAtThePointsTheIndexFormatFixes) {
  const Bytes data = PseudoRandom(1 << 20, 4);
  const std::vector<std::size_t> lengths = Lengths(data, data.size());
  const std::vector<std::size_t> first(lengths.begin(), lengths.begin() + 6);
  EXPECT_EQ(first, (std::vector<std::size_t>{17133, 18999, 19619, 19479, 24401, 16822}));
  EXPECT_EQ(lengths.size(), 56u);
}

TEST(ChunkIndexBuilder, HashesEachChunkAndStartsOverAfterFinish) {
  const Bytes data = PseudoRandom(300000, 5);
  ChunkIndexBuilder builder(kParams);
  builder.Feed(ByteView(data).first(1000));
  builder.Feed(ByteView(data).subspan(1000));
  const ChunkIndex index = builder.Finish();
  EXPECT_EQ(index.params, kParams);
  EXPECT_EQ(index.file_size, data.size());
  const std::vector<std::size_t> lengths = Lengths(data, data.size());
  ASSERT_EQ(index.chunks.size(), lengths.size());
  std::size_t offset = 0;
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    Sha256 sha;
    sha.Update(ByteView(data).subspan(offset, lengths[i]));
    EXPECT_EQ(index.chunks[i], (ChunkRecord{static_cast<std::uint32_t>(lengths[i]), sha.Finish()})) << i;
    offset += lengths[i];
  }

  const ChunkIndex empty = builder.Finish();
  EXPECT_EQ(empty.file_size, 0u);
  EXPECT_TRUE(empty.chunks.empty());
  builder.Feed(data);
  EXPECT_EQ(builder.Finish(), index);
}

}  // namespace
}  // namespace dkl
