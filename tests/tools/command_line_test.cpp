// The dkl-publish executable run as a script would run it, for its exit codes and output.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include "publishing/object_names.h"
#include "support/development_key.h"
#include "tools/site_fixture.h"

extern char** environ;

namespace dkl::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;

struct ToolRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

class CommandLineTest : public SiteFixture {
 protected:
  ToolRun Run(std::vector<std::string> args) const {
    args.insert(args.begin(), DKL_PUBLISH_EXE);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::string out_path = (temp_ / "out.txt").string();
    const std::string err_path = (temp_ / "err.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    ToolRun run;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
      int wait_status = 0;
      if (waitpid(child, &wait_status, 0) == child && WIFEXITED(wait_status)) run.exit_code = WEXITSTATUS(wait_status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadFile(out_path);
    run.err = ReadFile(err_path);
    return run;
  }

  std::vector<std::string> PublishArgs(const std::string& serial) const {
    return {"publish",  "--game", game().string(),    "--site", site().string(), "--key",   key_file().string(),
            "--serial", serial,   "--client-version", "1.4.2",  "--game-exe",    "game.exe"};
  }
};

TEST_F(CommandLineTest, AnswersHelpAndUsageErrors) {
  std::vector<std::string> no_serial = PublishArgs("1");
  no_serial.erase(no_serial.begin() + 7, no_serial.begin() + 9);
  std::vector<std::string> launcher_alone = PublishArgs("1");
  launcher_alone.insert(launcher_alone.end(), {"--launcher", "x.exe"});
  std::vector<std::string> index_both_ways = PublishArgs("1");
  index_both_ways.insert(index_both_ways.end(), {"--no-chunk-index", "--chunk-index-threshold", "1"});
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    const char* says;
  };
  const Case cases[] = {
      {{"--help"}, 0, "exit status:\n  0  success"},
      {{"publish", "--help"}, 0, "--allow-serial-reuse"},
      {{"verify", "-h"}, 0, "--public-key HEX_OR_FILE"},
      {{"keygen", "--help"}, 0, "-DDKL_ED25519_PUBLIC_KEY"},
      {{}, 2, "usage: dkl-publish COMMAND"},
      {{"frobnicate"}, 2, "unknown command frobnicate"},
      {{"verify", "--site"}, 2, "--site needs a value"},
      {{"verify", "--site", "x", "--public-key", "y", "extra"}, 2, "unknown argument extra"},
      {no_serial, 2, "--serial is required"},
      {PublishArgs("-1"), 2, "--serial takes a whole number"},
      {PublishArgs("18446744073709551616"), 2, "--serial takes a whole number"},
      {launcher_alone, 2, "--launcher and --launcher-version go together"},
      {index_both_ways, 2, "--no-chunk-index and --chunk-index-threshold exclude each other"},
  };
  for (const Case& c : cases) {
    const ToolRun run = Run(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.says;
    EXPECT_THAT(run.out + run.err, HasSubstr(c.says));
  }
}

TEST_F(CommandLineTest, ExitCodesTellSuccessRefusalAndIoApart) {
  AddGameFile("game.exe", "MZ");
  AddGameFile("data/level.dat", std::string(4000, 'l'));
  const ToolRun published = Run(PublishArgs("3"));
  EXPECT_EQ(published.exit_code, 0) << published.err;
  EXPECT_THAT(published.out, HasSubstr("published serial 3 to " + site().string() + ": 2 files"));

  const ToolRun verified = Run({"verify", "--site", site().string(), "--public-key", kDevelopmentPublicKeyHex});
  EXPECT_EQ(verified.exit_code, 0) << verified.err;
  EXPECT_THAT(verified.out, HasSubstr("site verified: serial 3, 2 files, 2 objects"));

  EXPECT_EQ(Run(PublishArgs("3")).exit_code, 1);
  EXPECT_EQ(Run({"verify", "--site", site().string(), "--public-key", std::string(64, 'a')}).exit_code, 1);
  WriteFile(ObjectFile(Sha256Hex("MZ"), false), "XX");
  const ToolRun damaged = Run({"verify", "--site", site().string(), "--public-key", kDevelopmentPublicKeyHex});
  EXPECT_EQ(damaged.exit_code, 1);
  EXPECT_THAT(damaged.err, HasSubstr("SHA-256 differs (used by game.exe)"));

  std::filesystem::remove(key_file());
  EXPECT_EQ(Run(PublishArgs("4")).exit_code, 3);
}

TEST_F(CommandLineTest, KeygenPrintsThePublicKeyOnceAndNeverOverwrites) {
  const std::string prefix = (temp_ / "release").string();
  const ToolRun first = Run({"keygen", "--out", prefix});
  EXPECT_EQ(first.exit_code, 0) << first.err;
  EXPECT_THAT(first.out, MatchesRegex("[0-9a-f]{64}\n"));
  EXPECT_THAT(first.err, HasSubstr("-DDKL_ED25519_PUBLIC_KEY=" + first.out.substr(0, 64)));
  EXPECT_EQ(ReadFile(prefix + ".public"), first.out);

  const std::string secret = ReadFile(prefix + ".secret");
  EXPECT_EQ(Run({"keygen", "--out", prefix}).exit_code, 3);
  EXPECT_EQ(ReadFile(prefix + ".secret"), secret);
}

}  // namespace
}  // namespace dkl::testing
