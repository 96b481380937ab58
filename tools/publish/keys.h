// The release engineer's key files: the secret half signs manifests, the public half is built into
// the launcher.
#pragma once

#include <string>

#include "base/status.h"
#include "publishing/envelope.h"
#include "publishing/signing.h"

namespace dkl::publish {

// A new key pair as `prefix`.secret (128 hex digits, mode 0600) and `prefix`.public (64 hex
// digits). Neither file may exist yet: an existing key is never overwritten (kind io).
Status GenerateKeyFiles(const std::string& prefix, std::string& public_hex);

// Kind signature when the file holds no secret key or one whose halves do not belong together.
Status ReadSigningKeyFile(const std::string& path, publishing::SigningKey& key);

// `text` is either the 64 hex digits themselves or the name of a file holding them. Kind invalid
// when it is neither; kind io when a named file cannot be read.
Status ReadPublicKeyArgument(const std::string& text, publishing::PublicKey& key);

}  // namespace dkl::publish
