// What dklctl reads from its command line and writes for scripts and people.
#include <gtest/gtest.h>

#include "core/ctl_command_line.h"
#include "core/ctl_progress.h"
#include "core/ctl_reports.h"
#include "core/sync_outcome.h"

namespace dkl {
namespace {

TEST(CtlCommandLine, ReadsTheUpdateCommand) {
  CtlCommand command;
  ASSERT_TRUE(ParseCtlCommandLine({"update", "--verify", "--folder", "D:\\Games\\Crown", "--mirror", "http://a",
                                   "--mirror", "http://b", "--app-data", "C:\\cfg"},
                                  command)
                  .ok());
  EXPECT_EQ(command.verb, "update");
  EXPECT_TRUE(command.verify);
  EXPECT_EQ(command.folder, "D:\\Games\\Crown");
  EXPECT_EQ(command.app_data, "C:\\cfg");
  EXPECT_EQ(command.mirrors, (std::vector<std::string>{"http://a", "http://b"}));

  ASSERT_TRUE(ParseCtlCommandLine({"--help"}, command).ok());
  EXPECT_TRUE(command.help);

  ASSERT_TRUE(ParseCtlCommandLine({"news", "--lang", "en", "--website", "http://w"}, command).ok());
  EXPECT_EQ(command.verb, "news");
  EXPECT_EQ(command.lang, "en");
  EXPECT_EQ(command.websites, std::vector<std::string>{"http://w"});
  ASSERT_TRUE(ParseCtlCommandLine({"probe"}, command).ok());
  ASSERT_TRUE(ParseCtlCommandLine({"gpu"}, command).ok());
}

TEST(CtlCommandLine, RefusesMistakesWithAReason) {
  const struct {
    std::vector<std::string> arguments;
    const char* reason;
  } cases[] = {
      {{}, "no command"},
      {{"install"}, "unknown command install"},
      {{"update", "--fast"}, "unknown option --fast"},
      {{"update", "--folder"}, "--folder needs a value"},
      {{"update", "--mirror", ""}, "--mirror needs a value"},
      {{"update", "extra"}, "unexpected argument extra"},
      {{"news", "--lang", "fr"}, "--lang is en or es"},
  };
  for (const auto& c : cases) {
    CtlCommand command;
    const Status status = ParseCtlCommandLine(c.arguments, command);
    EXPECT_EQ(status.kind, StatusKind::Invalid) << c.reason;
    EXPECT_EQ(status.message, c.reason);
  }
}

TEST(SyncOutcomeJson, WritesEveryMemberWithAbsentValuesAsNull) {
  SyncOutcome ready{UpdatePhase::Ready, "1.2.0", "1.2.0", true, std::nullopt, false};
  EXPECT_EQ(SyncOutcomeJson(ready),
            R"({"available_version":"1.2.0","error":null,"installed_version":"1.2.0","kind":"Ready",)"
            R"("playable":true,"restart":false})");
  SyncOutcome failed{UpdatePhase::Failed, std::nullopt, "2.0", false, MakeStatus(StatusKind::Rollback, ""), false};
  EXPECT_EQ(SyncOutcomeJson(failed),
            R"({"available_version":"2.0","error":{"kind":"rollback","message":""},"installed_version":null,)"
            R"("kind":"Failed","playable":false,"restart":false})");
}

TEST(CtlReports, ProbeNewsAndGraphicsAsJson) {
  EXPECT_EQ(ServerStatusJson({true, 0, true}), R"({"latency_ms":0,"online":true})");
  EXPECT_EQ(ServerStatusJson({}), R"({"latency_ms":null,"online":false})");
  EXPECT_EQ(NewsJson({NewsItem{.title = "Ñandú", .url = "http://w/1"}}),
            R"([{"date":"","summary":"","title":"Ñandú","url":"http://w/1"}])");
  EXPECT_EQ(NewsJson({}), "[]");
  EXPECT_EQ(GraphicsJson(GraphicsReport{}), R"({"adapters":[],"findings":[],"level":0,"signature":""})");
}

TEST(FormatProgressLine, SaysWhatEachPhaseCounts) {
  const struct {
    ProgressSnapshot snapshot;
    const char* line;
  } cases[] = {
      {{UpdatePhase::Searching, 9, 9, 9, 9, "x"}, "Searching"},
      {{UpdatePhase::FullCheck, 120, 4000, 0, 0, ""}, "FullCheck 120/4000 files"},
      {{UpdatePhase::Downloading, 3, 9, 1572864, 12582912, "data/a.pak"},
       "Downloading 3/9 files, 1.5/12.0 MiB data/a.pak"},
      {{UpdatePhase::Downloading, 0, 1, 0, 0, ""}, "Downloading 0/1 files, 0.0/0.0 MiB"},
      {{UpdatePhase::SelfUpdating, 0, 0, 2097152, 0, ""}, "SelfUpdating 2.0 MiB"},
      {{UpdatePhase::Offline, 0, 0, 0, 0, ""}, "Offline"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatProgressLine(c.snapshot), c.line);
}

}  // namespace
}  // namespace dkl
