// What every fuzz target is built from. A target is a function of the input bytes that checks its
// own rules with FUZZ_CHECK; DKL_FUZZ_TARGET makes it libFuzzer's entry point in the fuzz build and
// a replayed test of its seed corpus in the host build.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "base/bytes.h"

namespace dkl::fuzz {

using TargetFunction = void (*)(ByteView input);

// A broken rule ends the process, which both libFuzzer and the test runner report with this line.
[[noreturn]] inline void CheckFailed(const char* rule, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: fuzz check failed: %s\n", file, line, rule);
  std::abort();
}

// The replay test's list of targets; unused by libFuzzer builds.
bool RegisterTarget(std::string_view name, TargetFunction function);

// Takes the fuzzer's bytes apart from the front: parameters first, then the rest as data.
class InputReader {
 public:
  explicit InputReader(ByteView input) : input_(input) {}

  // The next byte, 0 once the input is used up.
  std::uint8_t Byte() {
    if (input_.empty()) return 0;
    const std::uint8_t byte = input_.front();
    input_ = input_.subspan(1);
    return byte;
  }

  // The next `bytes` bytes as a little-endian number (missing bytes read as 0).
  std::uint64_t Number(int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint64_t{Byte()} << (8 * i);
    return value;
  }

  // The next `size` bytes, or as many as are left.
  ByteView Take(std::size_t size) {
    const ByteView taken = input_.first(std::min(size, input_.size()));
    input_ = input_.subspan(taken.size());
    return taken;
  }

  ByteView Rest() { return Take(input_.size()); }

 private:
  ByteView input_;
};

}  // namespace dkl::fuzz

#define FUZZ_CHECK(rule) ((rule) ? void() : ::dkl::fuzz::CheckFailed(#rule, __FILE__, __LINE__))

#ifdef DKL_LIBFUZZER
#define DKL_FUZZ_TARGET(name, function)                                               \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    function(::dkl::ByteView(data, size));                                            \
    return 0;                                                                         \
  }
#else
#define DKL_FUZZ_TARGET(name, function) \
  namespace {                            \
  [[maybe_unused]] const bool kFuzzTargetRegistered = ::dkl::fuzz::RegisterTarget(name, function); \
  }
#endif
