#include "support/published_objects.h"

#include <zlib.h>

#include "base/bytes.h"
#include "support/temp_dir.h"
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

std::string GzipWithNameAndHeaderCrc(std::string_view content) {
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
  std::string gzip("\x1f\x8b\x08\x0a\0\0\0\0\0\x03", 10);  // FNAME | FHCRC
  gzip += std::string("object.bin\0", 11);
  gzip += std::string("\x12\x34", 2);
  gzip += deflated;
  gzip += std::string("\xde\xad\xbe\xef\0\0\0\0", 8);
  return gzip;
}

FileEntry PublishObject(const std::filesystem::path& site, const std::string& path, const std::string& content,
                        bool gz) {
  FileEntry entry{path, HexOf(content), content.size(), std::nullopt};
  std::string object = content;
  if (gz) {
    object = GzipWithNameAndHeaderCrc(content);
    entry.gz = object.size();
  }
  WriteFile(site / "objects" / entry.sha256.substr(0, 2) / (entry.sha256 + (gz ? ".gz" : "")), object);
  return entry;
}

}  // namespace dkl::testing
