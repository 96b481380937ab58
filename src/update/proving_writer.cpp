#include "update/proving_writer.h"

namespace dkl {

bool ProvingWriter::Write(ByteView bytes) {
  written_ += bytes.size();
  if (written_ > entry_.size) return false;
  hash_.Update(bytes);
  failure_ = sink_.Write(bytes);
  return failure_.ok();
}

bool ProvingWriter::Proved() { return written_ == entry_.size && Sha256Hex(hash_.Finish()) == entry_.sha256; }

}  // namespace dkl
