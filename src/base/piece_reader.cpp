#include "base/piece_reader.h"

#include <algorithm>

namespace dkl {

bool ReadExactly(std::uint64_t size, const ReadPiece& read_piece, Bytes& out) {
  out.assign(static_cast<std::size_t>(size), 0);
  std::uint64_t done = 0;
  while (done < size) {
    const auto wanted = static_cast<std::uint32_t>(std::min<std::uint64_t>(size - done, kIoPieceBytes));
    std::uint32_t got = 0;
    if (!read_piece(out.data() + done, wanted, got) || got == 0 || got > wanted) {
      out.clear();
      return false;
    }
    done += got;
  }
  return true;
}

}  // namespace dkl
