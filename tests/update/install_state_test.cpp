#include "update/install_state.h"

#include <gtest/gtest.h>

#include "base/json_object.h"

namespace dkl {
namespace {

InstallState FromText(std::string_view text) { return InstallStateFromJson(ParseJsonObject(AsBytes(text))); }

const std::string kHash(64, 'a');

TEST(InstallStateJson, SavedFormIsCompactSortedWithNullForEmptyTexts) {
  InstallState state;
  state.serial = 12;
  state.files["b/Ñ.dat"] = Known{5, 1700000000000000000u, kHash};
  state.files["a.txt"] = Known{0, 0, ""};
  EXPECT_EQ(SerializeInstallState(state),
            R"({"client_version":null,"files":{"a.txt":{"mtime":0,"sha256":"","size":0},)"
            R"("b/Ñ.dat":{"mtime":1700000000000000000,"sha256":")" + kHash + R"(","size":5}},)"
            R"("game_exe":null,"serial":12,"update_unfinished":false})");
}

TEST(InstallStateJson, RoundTripYieldsAnEqualRecord) {
  InstallState state;
  state.serial = 18446744073709551615u;
  state.client_version = "1.4.2 \"hotfix\"";
  state.game_exe = "bin/Game.exe";
  for (int i = 0; i < 50; ++i) state.files["data/" + std::to_string(i)] = Known{std::uint64_t(i), std::uint64_t(i) * 7, kHash};
  EXPECT_EQ(FromText(SerializeInstallState(state)), state);
  state.update_unfinished = true;
  EXPECT_EQ(FromText(SerializeInstallState(state)), state);
  EXPECT_EQ(FromText(SerializeInstallState(InstallState{})), InstallState{});
}

TEST(InstallStateJson, EachMemberIsTakenOnItsOwn) {
  const InstallState state = FromText(R"({"serial":-3,"client_version":"2.0","game_exe":null,"files":{
      "number":5,"empty":{},"partial":{"size":"9","mtime":4,"sha256":7},"full":{"size":3,"mtime":2,"sha256":"ab"}},
      "extra":true})");
  EXPECT_EQ(state.serial, 0u);
  EXPECT_EQ(state.client_version, "2.0");
  EXPECT_EQ(state.game_exe, "");
  EXPECT_EQ(state.files.count("number"), 0u);
  EXPECT_EQ(state.files.at("empty"), (Known{0, 0, ""}));
  EXPECT_EQ(state.files.at("partial"), (Known{0, 4, ""}));
  EXPECT_EQ(state.files.at("full"), (Known{3, 2, "ab"}));
}

TEST(InstallStateJson, AnUnfinishedUpdateIsReadOnlyFromATrueBoolean) {
  const struct {
    const char* text;
    bool unfinished;
  } cases[] = {{R"({"update_unfinished":true})", true},
               {R"({"serial":4,"files":{},"update_unfinished":true})", true},
               {R"({"update_unfinished":false})", false},
               {R"({"update_unfinished":1})", false},
               {R"({"update_unfinished":"true"})", false},
               {R"({"serial":4})", false}};
  for (const auto& c : cases) EXPECT_EQ(FromText(c.text).update_unfinished, c.unfinished) << c.text;
}

TEST(InstallStateJson, DamagedDocumentsDegradeToTheEmptyState) {
  for (const char* text : {"", "[]", "{\"serial\":", "{\"serial\":\"5\",\"files\":[]}", "{\"files\":null}"}) {
    EXPECT_EQ(FromText(text), InstallState{}) << text;
  }
}

TEST(MtimeFromFileTime, ConvertsFrom1601TicksAndClampsAt1970) {
  EXPECT_EQ(MtimeFromFileTime(0), 0u);
  EXPECT_EQ(MtimeFromFileTime(116444736000000000u), 0u);
  EXPECT_EQ(MtimeFromFileTime(116444736000000001u), 100u);
  EXPECT_EQ(MtimeFromFileTime(116444736000000000u + 17000000000000000u), 1700000000000000000u);
}

}  // namespace
}  // namespace dkl
