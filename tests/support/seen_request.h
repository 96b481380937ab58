// One request as a test server saw it.
#pragma once

#include <string>

namespace dkl::testing {

struct SeenRequest {
  std::string method;
  std::string path;   // the request target as sent, query included
  std::string range;  // the Range header's value, or ""

  bool operator==(const SeenRequest&) const = default;
};

}  // namespace dkl::testing
