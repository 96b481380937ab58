// The two ways of folding message blocks into the SHA-256 state; Sha256 picks one per process.
#pragma once

#include <array>
#include <cstdint>

#include "update/sha256.h"

namespace dkl {

// The round constants of FIPS 180-4, shared by both compressors.
extern const std::array<std::uint32_t, 64> kSha256RoundConstants;

void Sha256CompressPortable(std::uint32_t* state, const std::uint8_t* data, std::size_t blocks);

// The compressor built on the x86 SHA extensions when this CPU has them, otherwise null.
Sha256Compress Sha256ShaExtensionsIfSupported();

}  // namespace dkl
