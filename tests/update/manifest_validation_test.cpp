#include "update/manifest_validation.h"

#include <gtest/gtest.h>

#include "update/chunk_index.h"

namespace dkl {
namespace {

// Every hex digit once, so that a check refusing any valid digit shows up.
const std::string kHash = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";

Manifest ValidManifest() {
  Manifest manifest;
  manifest.schema = 2;
  manifest.serial = 7;
  manifest.client_version = "1.4.2";
  manifest.game_exe = "Game.exe";
  manifest.launcher = LauncherEntry{"2.0.1", kHash, 900000, 400000};
  manifest.files = {
      {"Game.exe", kHash, 5000, std::nullopt},
      {"data/maps/a.pak", kHash, 0, 20},
  };
  return manifest;
}

Manifest ManifestWithFiles(std::size_t count) {
  Manifest manifest = ValidManifest();
  manifest.files.clear();
  for (std::size_t i = 0; i < count; ++i) manifest.files.push_back({"data/" + std::to_string(i), kHash, 1, 1});
  manifest.game_exe = "data/0";
  return manifest;
}

TEST(IsSafePathComponent, RefusedComponents) {
  const std::string_view refused[] = {
      "",
      ".",
      "..",
      ".git",
      ".hidden.txt",
      "a.",
      "a ",
      "a. ",
      "a\tb",
      std::string_view("a\0b", 3),
      "\x1f",
      "a\"b",
      "a*b",
      "c:",
      "a<b",
      "a>b",
      "a?b",
      "a\\b",
      "a|b",
      "nul.tar.gz",  // the stem ends at the first dot
      "CoN",
  };
  for (const std::string_view component : refused) EXPECT_FALSE(IsSafePathComponent(component)) << component;
}

TEST(IsSafePathComponent, EveryDeviceNameInAnyCaseAndWithAnyExtension) {
  std::vector<std::string> names = {"con", "prn", "aux", "nul"};
  for (char digit = '1'; digit <= '9'; ++digit) {
    names.push_back(std::string("com") + digit);
    names.push_back(std::string("lpt") + digit);
  }
  ASSERT_EQ(names.size(), 22u);
  for (const std::string& name : names) {
    std::string upper;
    for (const char c : name) upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    std::string capital = name;
    capital[0] = upper[0];
    for (const std::string& form : {name, upper, capital, name + ".txt", upper + ".LOG", capital + ".tar.gz"}) {
      EXPECT_FALSE(IsSafePathComponent(form)) << form;
    }
  }
}

TEST(IsSafePathComponent, AcceptedComponents) {
  const char* accepted[] = {
      "a",     "Game.exe", "a.b.c", "com0", "com10", "lpt0.txt", "console.log", "conin", "nul_", "auxiliary",
      "a.con", "co",       " lead", "a b",  "a~1",   "a\x7f",    "été.pak",     "Ñandú", "日本語.txt",
  };
  for (const char* component : accepted) EXPECT_TRUE(IsSafePathComponent(component)) << component;
}

TEST(SplitManifestPath, RefusedPaths) {
  const std::string refused[] = {
      "",
      "/a",
      "a/",
      "a//b",
      "./a",
      "a/../b",
      "..",
      ".git/config",
      "a/b.",
      "a/b ",
      "c:/x",
      "a\\b",
      "\\\\server\\share\\x",
      "a/b:stream",
      "aux",
      "Aux.txt",
      "lpt9.log",
      "dir/CON",
      "data/nul/x.pak",
      std::string(241, 'a'),
      "a/" + std::string(239, 'b'),
      [] {  // 121 characters but 242 bytes: the limit counts bytes
        std::string path;
        for (int i = 0; i < 121; ++i) path += "é";
        return path;
      }(),
  };
  for (const std::string& path : refused) EXPECT_FALSE(SplitManifestPath(path).has_value()) << path;
}

TEST(SplitManifestPath, AcceptedPathsAndTheirComponents) {
  std::string two_byte_letters;
  for (int i = 0; i < 120; ++i) two_byte_letters += "é";
  const std::pair<std::string, std::vector<std::string>> accepted[] = {
      {"a/b/c.dat", {"a", "b", "c.dat"}},
      {"com10", {"com10"}},
      {"lpt0.txt", {"lpt0.txt"}},
      {"console.log", {"console.log"}},
      {"a.b.c", {"a.b.c"}},
      {"données/été/Ñandú.pak", {"données", "été", "Ñandú.pak"}},
      {std::string(240, 'a'), {std::string(240, 'a')}},
      {"a/" + std::string(238, 'b'), {"a", std::string(238, 'b')}},
      {two_byte_letters, {two_byte_letters}},
  };
  for (const auto& [path, components] : accepted) {
    const auto split = SplitManifestPath(path);
    ASSERT_TRUE(split.has_value()) << path;
    EXPECT_EQ(std::vector<std::string>(split->begin(), split->end()), components) << path;
  }
}

TEST(ValidateManifest, AcceptedManifests) {
  const std::pair<const char*, void (*)(Manifest&)> cases[] = {
      {"as built", [](Manifest&) {}},
      {"no launcher", [](Manifest& m) { m.launcher.reset(); }},
      {"sizes of exactly 4 GiB",
       [](Manifest& m) {
         m.files[0].size = 4294967296u;
         m.files[0].gz = 4294967296u;
         m.launcher->size = 4294967296u;
       }},
      {"launcher gz beyond 4 GiB", [](Manifest& m) { m.launcher->gz = UINT64_MAX; }},
      {"game_exe in another case",
       [](Manifest& m) {
         m.files[0].path = "Game_x64_win.exe";
         m.game_exe = "game_x64_win.exe";
       }},
      {"game_exe in a folder", [](Manifest& m) { m.game_exe = "DATA/Maps/A.PAK"; }},
      {"only ASCII letters fold",
       [](Manifest& m) {
         m.files.push_back({"café.txt", kHash, 1, std::nullopt});
         m.files.push_back({"CAFÉ.txt", kHash, 1, std::nullopt});
       }},
  };
  for (const auto& [what, edit] : cases) {
    Manifest manifest = ValidManifest();
    edit(manifest);
    const Status status = ValidateManifest(manifest);
    EXPECT_TRUE(status.ok()) << what << ": " << status.message;
    EXPECT_TRUE(status.message.empty()) << what;
  }
}

struct Refusal {
  const char* what;
  void (*edit)(Manifest&);
  const char* message;
};

TEST(ValidateManifest, FirstBrokenRuleIsReported) {
  const Refusal refusals[] = {
      {"schema 1", [](Manifest& m) { m.schema = 1; }, "schema 1"},
      {"schema 0", [](Manifest& m) { m.schema = 0; }, "schema 0"},
      {"schema 3", [](Manifest& m) { m.schema = 3; }, "schema 3"},
      {"schema beyond 32 bits", [](Manifest& m) { m.schema = 4294967298u; }, "schema 4294967298"},
      {"schema before the files",
       [](Manifest& m) {
         m.schema = 1;
         m.files[0].path = "../escape";
       },
       "schema 1"},
      {"schema before the count",
       [](Manifest& m) {
         m.schema = 1;
         m.files.clear();
       },
       "schema 1"},
      {"no files", [](Manifest& m) { m.files.clear(); }, "file count"},
      {"unsafe path", [](Manifest& m) { m.files[1].path = "data/../../x"; }, "unsafe path \"data/../../x\""},
      {"empty path", [](Manifest& m) { m.files[1].path = ""; }, "unsafe path \"\""},
      {"uppercase hash",
       [](Manifest& m) { m.files[1].sha256 = "0123456789ABCDEF0123456789abcdef0123456789abcdef0123456789abcdef"; },
       "bad entry \"data/maps/a.pak\""},
      {"63-digit hash", [](Manifest& m) { m.files[1].sha256.pop_back(); }, "bad entry \"data/maps/a.pak\""},
      {"65-digit hash", [](Manifest& m) { m.files[1].sha256 += "0"; }, "bad entry \"data/maps/a.pak\""},
      {"non-hex hash", [](Manifest& m) { m.files[1].sha256[10] = 'g'; }, "bad entry \"data/maps/a.pak\""},
      {"empty hash", [](Manifest& m) { m.files[1].sha256.clear(); }, "bad entry \"data/maps/a.pak\""},
      {"size one above 4 GiB", [](Manifest& m) { m.files[1].size = 4294967297u; }, "bad entry \"data/maps/a.pak\""},
      {"gz one above 4 GiB", [](Manifest& m) { m.files[1].gz = 4294967297u; }, "bad entry \"data/maps/a.pak\""},
      {"unsafe path before bad entry",
       [](Manifest& m) {
         m.files[1].path = "a//b";
         m.files[1].sha256.clear();
       },
       "unsafe path \"a//b\""},
      {"earlier file before later",
       [](Manifest& m) {
         m.files[0].size = UINT64_MAX;
         m.files[1].path = "/abs";
       },
       "bad entry \"Game.exe\""},
      {"exact duplicate", [](Manifest& m) { m.files.push_back(m.files[1]); }, "duplicate \"data/maps/a.pak\""},
      {"duplicate in another case",
       [](Manifest& m) {
         m.files.push_back({"Data/Readme.txt", kHash, 1, std::nullopt});
         m.files.push_back({"data/README.TXT", kHash, 1, std::nullopt});
       },
       "duplicate \"data/README.TXT\""},
      {"bad entry before duplicate",
       [](Manifest& m) { m.files.push_back({"GAME.EXE", "", 1, std::nullopt}); },
       "bad entry \"GAME.EXE\""},
      {"game_exe not listed", [](Manifest& m) { m.game_exe = "Launcher.exe"; }, "game exe not listed"},
      {"game_exe a folder", [](Manifest& m) { m.game_exe = "data/maps"; }, "game exe not listed"},
      {"game_exe empty", [](Manifest& m) { m.game_exe.clear(); }, "game exe not listed"},
      {"game_exe with a trailing space", [](Manifest& m) { m.game_exe = "Game.exe "; }, "game exe not listed"},
      {"game_exe before launcher",
       [](Manifest& m) {
         m.game_exe = "x.exe";
         m.launcher->sha256.clear();
       },
       "game exe not listed"},
      {"launcher uppercase hash",
       [](Manifest& m) { m.launcher->sha256 = "0123456789abcdef0123456789abcdef0123456789ABCDEF0123456789abcdef"; },
       "launcher entry"},
      {"launcher 63-digit hash", [](Manifest& m) { m.launcher->sha256.pop_back(); }, "launcher entry"},
      {"launcher size one above 4 GiB", [](Manifest& m) { m.launcher->size = 4294967297u; }, "launcher entry"},
  };
  for (const Refusal& refusal : refusals) {
    Manifest manifest = ValidManifest();
    refusal.edit(manifest);
    const Status status = ValidateManifest(manifest);
    EXPECT_EQ(status.kind, StatusKind::Manifest) << refusal.what;
    EXPECT_EQ(status.message, refusal.message) << refusal.what;
  }
}

TEST(ValidateManifest, FileCountLimit) {
  EXPECT_TRUE(ValidateManifest(ManifestWithFiles(kMaxManifestFiles)).ok());

  const Status over = ValidateManifest(ManifestWithFiles(kMaxManifestFiles + 1));
  EXPECT_EQ(over.kind, StatusKind::Manifest);
  EXPECT_EQ(over.message, "file count");
}

TEST(ValidateManifest, ChunkIndexWithinTheFormatsCaps) {
  const struct {
    const char* what;
    ChunkIndexRef index;
    bool accepted;
  } cases[] = {
      {"header alone", {kHash, kChunkIndexHeaderBytes}, true},
      {"largest index", {kHash, kMaxChunkIndexBytes}, true},
      {"shorter than a header", {kHash, kChunkIndexHeaderBytes - 1}, false},
      {"above the cap", {kHash, kMaxChunkIndexBytes + 1}, false},
      {"uppercase hash", {"0123456789ABCDEF0123456789abcdef0123456789abcdef0123456789abcdef", 3636}, false},
      {"63-digit hash", {kHash.substr(1), 3636}, false},
  };
  for (const auto& c : cases) {
    Manifest manifest = ValidManifest();
    manifest.files[1].chunk_index = c.index;
    const Status status = ValidateManifest(manifest);
    EXPECT_EQ(status.message, c.accepted ? "" : "bad entry \"data/maps/a.pak\"") << c.what;
  }
}

}  // namespace
}  // namespace dkl
