// Every input in every fuzz target's corpus, replayed as an ordinary test without libFuzzer: the
// seeds and each fault a fuzzer ever found stay covered on every test run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "fuzz/fuzz_target.h"

namespace dkl::fuzz {
namespace {

std::map<std::string, TargetFunction, std::less<>>& Targets() {
  static std::map<std::string, TargetFunction, std::less<>> targets;
  return targets;
}

const std::filesystem::path kCorpus = DKL_FUZZ_CORPUS_DIR;

struct CorpusInput {
  std::string target;
  std::filesystem::path file;

  friend void PrintTo(const CorpusInput& input, std::ostream* out) { *out << input.file.string(); }
};

std::vector<CorpusInput> AllInputs() {
  std::vector<CorpusInput> inputs;
  for (const auto& folder : std::filesystem::directory_iterator(kCorpus)) {
    for (const auto& file : std::filesystem::directory_iterator(folder.path())) {
      inputs.push_back({folder.path().filename().string(), file.path()});
    }
  }
  std::sort(inputs.begin(), inputs.end(), [](const CorpusInput& a, const CorpusInput& b) { return a.file < b.file; });
  return inputs;
}

// "object_unpack/fextra-65535" becomes "object_unpack_fextra_65535".
std::string TestName(const ::testing::TestParamInfo<CorpusInput>& info) {
  std::string name = info.param.target + "_" + info.param.file.filename().string();
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

Bytes ReadInput(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class Replay : public ::testing::TestWithParam<CorpusInput> {};

TEST_P(Replay, KeepsEveryRuleOfItsTarget) {
  const auto target = Targets().find(GetParam().target);
  ASSERT_NE(target, Targets().end()) << "no fuzz target named after the folder " << GetParam().target;
  target->second(ReadInput(GetParam().file));
}

INSTANTIATE_TEST_SUITE_P(Corpus, Replay, ::testing::ValuesIn(AllInputs()), TestName);

TEST(FuzzTargets, EachHasASeedCorpus) {
  ASSERT_FALSE(Targets().empty());
  for (const auto& [name, function] : Targets()) {
    const std::filesystem::path folder = kCorpus / name;
    EXPECT_TRUE(std::filesystem::is_directory(folder) && !std::filesystem::is_empty(folder)) << name;
  }
}

}  // namespace

bool RegisterTarget(std::string_view name, TargetFunction function) {
  return Targets().emplace(std::string(name), function).second;
}

}  // namespace dkl::fuzz
