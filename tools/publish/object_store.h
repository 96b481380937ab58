// Writing contents into a site's object store. Objects are named by their content, so one that is
// already there is never written again; a new one appears only complete, under its final name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "base/status.h"
#include "publish/file_hash.h"

namespace dkl::publish {

// A gzip form is served only when it saves at least this much, and at least a tenth.
inline constexpr std::uint64_t kMinGzipSavingBytes = 512;

bool WorthServingCompressed(std::uint64_t size, std::uint64_t compressed);

struct StoredObject {
  std::optional<std::uint64_t> gz;  // the gzip form's length when the site serves one
  bool wrote_plain = false;
  bool wrote_gz = false;
};

// Stores the content of `source`, which must still have `content`'s size and SHA-256, as its plain
// object and, when compression pays off, its gzip object. Objects already present are kept as they
// are after checking them: the plain one by size, the gzip one by inflating it. Kind corrupt when
// an existing object does not fit the content; kind io when the source changed or on I/O errors.
Status StoreObject(const std::filesystem::path& site, const std::string& source, const FileDigest& content,
                   StoredObject& stored);

}  // namespace dkl::publish
