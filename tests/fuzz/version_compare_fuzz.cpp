// Version texts as the published launcher entry carries them: any text reads as three numbers, and
// the order they give is a total order.
#include <string>

#include "core/version_compare.h"
#include "fuzz/fuzz_target.h"

namespace dkl::fuzz {
namespace {

std::string Dotted(const VersionNumbers& numbers) {
  return std::to_string(numbers[0]) + "." + std::to_string(numbers[1]) + "." + std::to_string(numbers[2]);
}

void CompareTwo(ByteView input) {
  InputReader reader(input);
  const std::string_view left = AsText(reader.Take(reader.Byte()));
  const std::string_view right = AsText(reader.Rest());

  FUZZ_CHECK(CompareVersions(left, left) == std::strong_ordering::equal);
  FUZZ_CHECK(CompareVersions(left, right) == (0 <=> CompareVersions(right, left)));
  FUZZ_CHECK(CompareVersions(left, right) == (ParseVersion(left) <=> ParseVersion(right)));
  // The numbers read, written as the publisher writes a version, read back the same.
  FUZZ_CHECK(ParseVersion(Dotted(ParseVersion(left))) == ParseVersion(left));
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("version_compare", dkl::fuzz::CompareTwo)
