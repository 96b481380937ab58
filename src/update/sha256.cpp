#include "update/sha256.h"

#include <algorithm>
#include <cstring>

#include "update/sha256_compress.h"

namespace dkl {
namespace {

constexpr std::array<std::uint32_t, 8> kInitialState = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                                        0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};

Sha256Compress SelectedCompress() {
  static const Sha256Compress selected = [] {
    const Sha256Compress accelerated = Sha256ShaExtensionsIfSupported();
    return accelerated != nullptr ? accelerated : &Sha256CompressPortable;
  }();
  return selected;
}

}  // namespace

Sha256::Sha256() : Sha256(SelectedCompress()) {}

Sha256::Sha256(Sha256Compress compress) : compress_(compress) { Reset(); }

Sha256 Sha256::Portable() { return Sha256(&Sha256CompressPortable); }

void Sha256::Reset() {
  state_ = kInitialState;
  buffered_ = 0;
  length_ = 0;
}

void Sha256::Update(ByteView data) {
  if (data.empty()) return;
  length_ += data.size();
  const std::uint8_t* next = data.data();
  std::size_t left = data.size();
  if (buffered_ > 0) {
    const std::size_t taken = std::min(left, block_.size() - buffered_);
    std::memcpy(block_.data() + buffered_, next, taken);
    buffered_ += taken;
    next += taken;
    left -= taken;
    if (buffered_ < block_.size()) return;
    compress_(state_.data(), block_.data(), 1);
    buffered_ = 0;
  }
  // Whole blocks are hashed where they lie; only a tail is copied.
  const std::size_t blocks = left / 64;
  if (blocks > 0) compress_(state_.data(), next, blocks);
  next += blocks * 64;
  left -= blocks * 64;
  if (left > 0) std::memcpy(block_.data(), next, left);
  buffered_ = left;
}

Sha256Digest Sha256::Finish() {
  const std::uint64_t bit_length = length_ * 8;
  // A 0x80 byte, zeros up to 56 bytes into a block, then the bit length big-endian.
  std::array<std::uint8_t, 72> padding{};
  padding[0] = 0x80;
  const std::size_t zeros = (buffered_ < 56 ? 56 : 120) - buffered_ - 1;
  for (int i = 0; i < 8; ++i) padding[1 + zeros + i] = static_cast<std::uint8_t>(bit_length >> (56 - 8 * i));
  Update(ByteView(padding.data(), 1 + zeros + 8));

  Sha256Digest digest;
  for (std::size_t i = 0; i < state_.size(); ++i) {
    for (std::size_t b = 0; b < 4; ++b) digest[4 * i + b] = static_cast<std::uint8_t>(state_[i] >> (24 - 8 * b));
  }
  Reset();
  return digest;
}

bool Sha256UsesShaExtensions() { return SelectedCompress() != &Sha256CompressPortable; }

std::string Sha256Hex(const Sha256Digest& digest) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(digest.size() * 2, '0');
  for (std::size_t i = 0; i < digest.size(); ++i) {
    text[2 * i] = kDigits[digest[i] >> 4];
    text[2 * i + 1] = kDigits[digest[i] & 15];
  }
  return text;
}

}  // namespace dkl
