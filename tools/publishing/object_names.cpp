#include "publishing/object_names.h"

namespace dkl::publishing {

std::string ObjectPath(std::string_view sha256, bool gz) {
  std::string path = "objects/";
  path += sha256.substr(0, 2);
  path += '/';
  path += sha256;
  if (gz) path += ".gz";
  return path;
}

}  // namespace dkl::publishing
