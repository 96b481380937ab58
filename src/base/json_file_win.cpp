#include "base/json_file_win.h"

#include "base/file_read_win.h"
#include "base/json_object.h"

namespace dkl {

nlohmann::json LoadJsonObjectFile(const std::filesystem::path& path, std::uint64_t max_bytes) {
  Bytes bytes;
  if (!ReadWholeFile(path, max_bytes, bytes)) return nlohmann::json::object();
  return ParseJsonObject(bytes);
}

}  // namespace dkl
