// Where an object lives on an update site: named by its content's SHA-256, fanned out by the first
// two hex digits so that no folder holds more than a small share of the objects.
#pragma once

#include <string>
#include <string_view>

namespace dkl::publishing {

// "objects/" + first two digits + "/" + sha256, then ".gz" for the compressed form; relative to the
// site's root, with '/' as in a URL.
std::string ObjectPath(std::string_view sha256, bool gz);

}  // namespace dkl::publishing
