#include "support/published_objects.h"

#include "support/temp_dir.h"

namespace dkl::testing {

std::string GzipWithNameAndHeaderCrc(std::string_view content) {
  return GzipAround(GzipFixedHeader(8 | 2) + std::string("object.bin\0\x12\x34", 13), content);
}

FileEntry PublishObject(const std::filesystem::path& site, const std::string& path, const std::string& content,
                        bool gz) {
  if (gz) return PublishGzipObject(site, path, content, GzipWithNameAndHeaderCrc(content));
  const FileEntry entry{path, HexOf(content), content.size(), std::nullopt};
  WriteFile(site / "objects" / entry.sha256.substr(0, 2) / entry.sha256, content);
  return entry;
}

FileEntry PublishGzipObject(const std::filesystem::path& site, const std::string& path, const std::string& content,
                            const std::string& gzip) {
  const FileEntry entry{path, HexOf(content), content.size(), gzip.size()};
  WriteFile(site / "objects" / entry.sha256.substr(0, 2) / (entry.sha256 + ".gz"), gzip);
  return entry;
}

}  // namespace dkl::testing
