#include "publish/keys.h"

#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "publish/posix_file.h"

namespace dkl::publish {
namespace {

constexpr std::size_t kKeyFileLimit = 4096;

// Wipes a secret from memory when it goes out of scope.
template <typename T>
class Wiped {
 public:
  Wiped() = default;
  Wiped(const Wiped&) = delete;
  Wiped& operator=(const Wiped&) = delete;
  ~Wiped() { sodium_memzero(value_.data(), value_.size()); }
  T& operator*() { return value_; }
  T* operator->() { return &value_; }

 private:
  T value_{};
};

Status WriteKeyFile(const std::string& path, unsigned mode, const std::string& hex) {
  UniqueFd fd;
  Status status = CreateExclusive(path, mode, fd);
  if (!status.ok()) return status;
  // The umask may only have narrowed the mode; this makes it exact.
  if (fchmod(fd.get(), static_cast<mode_t>(mode)) != 0) status = ErrnoStatus(errno, "chmod " + path);
  if (status.ok()) status = WriteAll(fd.get(), AsBytes(hex + "\n"), path);
  if (status.ok() && fsync(fd.get()) != 0) status = ErrnoStatus(errno, "flush " + path);
  if (!status.ok()) unlink(path.c_str());
  return status;
}

}  // namespace

Status GenerateKeyFiles(const std::string& prefix, std::string& public_hex) {
  const std::string secret_path = prefix + ".secret";
  const std::string public_path = prefix + ".public";
  struct stat info {};
  if (lstat(public_path.c_str(), &info) == 0) return MakeStatus(StatusKind::Io, public_path + " already exists");
  if (sodium_init() < 0) return MakeStatus(StatusKind::Io, "libsodium cannot start");
  Wiped<std::array<std::uint8_t, crypto_sign_SECRETKEYBYTES>> secret;
  std::array<std::uint8_t, crypto_sign_PUBLICKEYBYTES> public_key{};
  crypto_sign_keypair(public_key.data(), secret->data());
  Wiped<std::string> secret_hex;
  *secret_hex = publishing::ToHex(*secret);
  Status status = WriteKeyFile(secret_path, 0600, *secret_hex);
  if (!status.ok()) return status;
  public_hex = publishing::ToHex(public_key);
  status = WriteKeyFile(public_path, 0644, public_hex);
  if (!status.ok()) unlink(secret_path.c_str());
  return status;
}

Status ReadSigningKeyFile(const std::string& path, publishing::SigningKey& key) {
  Wiped<Bytes> text;
  Status status = ReadWholeFile(path, kKeyFileLimit, *text);
  if (!status.ok()) return status;
  if (!publishing::ParseSigningKeyHex(AsText(*text), key)) {
    return MakeStatus(StatusKind::Signature, path + " does not hold 128 hexadecimal digits of a secret key");
  }
  // libsodium's secret key repeats the public key after the seed; a damaged file breaks that.
  Wiped<std::array<std::uint8_t, crypto_sign_SECRETKEYBYTES>> derived;
  std::array<std::uint8_t, crypto_sign_PUBLICKEYBYTES> public_key{};
  crypto_sign_seed_keypair(public_key.data(), derived->data(), key.secret.data());
  if (sodium_memcmp(derived->data(), key.secret.data(), key.secret.size()) != 0) {
    return MakeStatus(StatusKind::Signature, path + " holds a damaged secret key: its public half does not match");
  }
  return OkStatus();
}

Status ReadPublicKeyArgument(const std::string& text, publishing::PublicKey& key) {
  if (publishing::ParsePublicKeyHex(text, key)) return OkStatus();
  Bytes content;
  Status status = ReadWholeFile(text, kKeyFileLimit, content);
  if (status.kind == StatusKind::Io && access(text.c_str(), F_OK) != 0) {
    return MakeStatus(StatusKind::Invalid, "--public-key: " + text + " is neither 64 hexadecimal digits nor a file");
  }
  if (!status.ok()) return status;
  if (!publishing::ParsePublicKeyHex(AsText(content), key)) {
    return MakeStatus(StatusKind::Invalid, "--public-key: " + text + " does not hold 64 hexadecimal digits");
  }
  return OkStatus();
}

}  // namespace dkl::publish
