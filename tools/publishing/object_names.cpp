#include "publishing/object_names.h"

#include "update/object_names.h"

namespace dkl::publishing {

// The launcher's object URL on a base of "", less its leading slash: the two must never drift apart.
std::string ObjectPath(std::string_view sha256, bool gz) { return ObjectUrl("", sha256, gz).substr(1); }

}  // namespace dkl::publishing
