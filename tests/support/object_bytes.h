// Contents and gzip objects of any shape, as tests of the unpack and the sync engine need them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dkl::testing {

std::string HexOf(std::string_view content);

// Text of exactly `size` bytes that compresses well and differs along its length.
std::string Content(std::size_t size);

// The raw DEFLATE stream (no wrapper) of `content`.
std::string RawDeflate(std::string_view content);

// The 10 fixed bytes of a gzip header with `flags`.
std::string GzipFixedHeader(unsigned char flags);

// `header` (starting with the 10 fixed bytes) followed by the DEFLATE data of `content` and a trailer
// that is wrong on purpose: only the SHA-256 of the content may decide.
std::string GzipAround(std::string_view header, std::string_view content);

}  // namespace dkl::testing
