#include "core/install_state_recorder.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

TEST(InstallStateRecorder, SavesOnlyWhenMoreThanThreeSecondsHavePassed) {
  InstallState state;
  std::uint64_t now = 1000;
  std::vector<std::size_t> saved_sizes;
  InstallStateRecorder recorder(
      state,
      [&](const InstallState& saved) {
        saved_sizes.push_back(saved.files.size());
        return OkStatus();
      },
      [&] { return now; });

  const struct {
    std::uint64_t at;
    bool saves;
  } steps[] = {{1000, false}, {4000, false}, {4001, true}, {7001, false}, {7002, true}, {7003, false}};
  std::size_t expected_saves = 0;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    now = steps[i].at;
    recorder.Record(FileEntry{"f" + std::to_string(i), "h", 1, {}}, Known{1, 2, "h"});
    expected_saves += steps[i].saves;
    ASSERT_EQ(saved_sizes.size(), expected_saves) << "at " << steps[i].at;
    if (steps[i].saves) {
      EXPECT_EQ(saved_sizes.back(), i + 1) << "the save holds every file recorded so far";
    }
  }
}

TEST(InstallStateRecorder, ReplacesWhatWasKnownOfAPath) {
  InstallState state;
  state.files["a"] = Known{1, 1, "old"};
  InstallStateRecorder recorder(state, [](const InstallState&) { return OkStatus(); }, [] { return std::uint64_t{0}; });
  recorder.Record(FileEntry{"a", "new", 3, {}}, Known{3, 4, "new"});
  EXPECT_EQ(state.files.at("a"), (Known{3, 4, "new"}));
}

TEST(InstallStateRecorder, MarksTheUpdateUnfinishedOnlyWhenTheSaveSucceeds) {
  for (const bool already_unfinished : {false, true}) {
    InstallState state;
    state.update_unfinished = already_unfinished;
    Status answer = MakeStatus(StatusKind::DiskFull, "write state.json.tmp (error 112)");
    std::vector<bool> saved_marks;
    InstallStateRecorder recorder(
        state,
        [&](const InstallState& saved) {
          saved_marks.push_back(saved.update_unfinished);
          return answer;
        },
        [] { return std::uint64_t{0}; });
    EXPECT_EQ(recorder.MarkUpdateUnfinished().kind, StatusKind::DiskFull);
    EXPECT_EQ(state.update_unfinished, already_unfinished) << "a mark that was not saved is taken back";
    answer = OkStatus();
    EXPECT_TRUE(recorder.MarkUpdateUnfinished().ok());
    EXPECT_TRUE(state.update_unfinished);
    EXPECT_EQ(saved_marks, (std::vector<bool>{true, true}));
  }
}

}  // namespace
}  // namespace dkl
