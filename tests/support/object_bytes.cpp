#include "support/object_bytes.h"

#include <zlib.h>

#include "base/bytes.h"
#include "update/sha256.h"

namespace dkl::testing {

std::string HexOf(std::string_view content) {
  Sha256 hash;
  hash.Update(AsBytes(content));
  return Sha256Hex(hash.Finish());
}

std::string Content(std::size_t size) {
  std::string text;
  while (text.size() < size) text += "the crown of dusk, line " + std::to_string(text.size()) + "\n";
  text.resize(size);
  return text;
}

std::string RawDeflate(std::string_view content) {
  z_stream stream{};
  deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string deflated(deflateBound(&stream, static_cast<uLong>(content.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
  stream.avail_in = static_cast<uInt>(content.size());
  stream.next_out = reinterpret_cast<Bytef*>(deflated.data());
  stream.avail_out = static_cast<uInt>(deflated.size());
  deflate(&stream, Z_FINISH);
  deflated.resize(stream.total_out);
  deflateEnd(&stream);
  return deflated;
}

std::string GzipAround(std::string_view header, std::string_view content) {
  return std::string(header) + RawDeflate(content) + std::string("\xde\xad\xbe\xef\0\0\0\0", 8);
}

std::string GzipFixedHeader(unsigned char flags) {
  std::string header("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10);
  header[3] = static_cast<char>(flags);
  return header;
}

}  // namespace dkl::testing
