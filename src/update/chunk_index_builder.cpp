#include "update/chunk_index_builder.h"

namespace dkl {

ChunkIndexBuilder::ChunkIndexBuilder(const ChunkParams& params) : params_(params), cutter_(params) {
  index_.params = params;
}

void ChunkIndexBuilder::Feed(ByteView data) {
  index_.file_size += data.size();
  while (!data.empty()) {
    const std::optional<std::size_t> cut = cutter_.FindCut(data);
    const ByteView piece = data.first(cut.value_or(data.size()));
    sha_.Update(piece);
    length_ += static_cast<std::uint32_t>(piece.size());
    if (!cut) return;
    EndChunk();
    data = data.subspan(*cut);
  }
}

void ChunkIndexBuilder::EndChunk() {
  index_.chunks.push_back({length_, sha_.Finish()});
  length_ = 0;
}

ChunkIndex ChunkIndexBuilder::Finish() {
  if (length_ > 0) EndChunk();
  ChunkIndex finished = std::move(index_);
  cutter_ = ChunkCutter(params_);
  index_ = {};
  index_.params = params_;
  return finished;
}

}  // namespace dkl
