#include "update/manifest.h"

#include <sstream>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "update/manifest_validation.h"

namespace dkl {
namespace {

using Json = nlohmann::json;

constexpr const char* kGameHash = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";
constexpr const char* kPakHash = "fedcba9876543210fedcba9876543210fedcba9876543210fedcba9876543210";
constexpr const char* kLauncherHash = "00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff";

// A well-formed document that each case bends in one place. The two files differ in every field
// the parser reads, and the sizes are unique so that raw-text cases can find them.
Json ValidDocument() {
  return {
      {"schema", 2},
      {"serial", 7},
      {"game_exe", "Game.exe"},
      {"client", {{"version", "1.4.2"}, {"build", 1402}}},
      {"launcher", {{"version", "2.0.1"}, {"sha256", kLauncherHash}, {"size", 900000}, {"gz", 400000}}},
      {"files", Json::array({
                    {{"path", "Game.exe"}, {"sha256", kGameHash}, {"size", 5000}},
                    {{"path", "data/maps/Ñandú.pak"}, {"sha256", kPakHash}, {"size", 0}, {"gz", 20}},
                })},
  };
}

Manifest ExpectedManifest() {
  Manifest manifest;
  manifest.schema = 2;
  manifest.serial = 7;
  manifest.client_version = "1.4.2";
  manifest.client_build = 1402;
  manifest.game_exe = "Game.exe";
  manifest.launcher = LauncherEntry{"2.0.1", kLauncherHash, 900000, 400000};
  manifest.files = {
      {"Game.exe", kGameHash, 5000, std::nullopt},
      {"data/maps/Ñandú.pak", kPakHash, 0, 20},
  };
  return manifest;
}

std::string Gz(const std::optional<std::uint64_t>& gz) { return gz ? std::to_string(*gz) : "none"; }

// One line per record, so that a mismatch shows which field differs.
std::string Describe(const Manifest& manifest) {
  std::ostringstream out;
  out << "schema " << manifest.schema << " serial " << manifest.serial << " client " << manifest.client_version
      << " build " << manifest.client_build << " game_exe " << manifest.game_exe << '\n';
  if (manifest.launcher) {
    const LauncherEntry& launcher = *manifest.launcher;
    out << "launcher " << launcher.version << ' ' << launcher.sha256 << ' ' << launcher.size << " gz "
        << Gz(launcher.gz) << '\n';
  } else {
    out << "no launcher\n";
  }
  for (const FileEntry& file : manifest.files) {
    out << "file " << file.path << ' ' << file.sha256 << ' ' << file.size << " gz " << Gz(file.gz) << '\n';
  }
  return out.str();
}

Status ParseText(std::string_view text, Manifest& manifest) { return ParseManifest(AsBytes(text), manifest); }

Status ParseDocument(const Json& document, Manifest& manifest) { return ParseText(document.dump(), manifest); }

TEST(ParseManifest, ReadsEveryField) {
  Manifest manifest;
  const Status status = ParseDocument(ValidDocument(), manifest);
  ASSERT_TRUE(status.ok()) << status.message;
  EXPECT_TRUE(status.message.empty());
  EXPECT_EQ(Describe(manifest), Describe(ExpectedManifest()));
}

struct Variant {
  const char* what;
  void (*edit_document)(Json&);
  void (*edit_expected)(Manifest&);
};

TEST(ParseManifest, AcceptedVariants) {
  const Variant variants[] = {
      {"client without build", [](Json& d) { d["client"].erase("build"); }, [](Manifest& m) { m.client_build = 0; }},
      {"client build null", [](Json& d) { d["client"]["build"] = nullptr; }, [](Manifest& m) { m.client_build = 0; }},
      {"no launcher", [](Json& d) { d.erase("launcher"); }, [](Manifest& m) { m.launcher.reset(); }},
      {"null launcher", [](Json& d) { d["launcher"] = nullptr; }, [](Manifest& m) { m.launcher.reset(); }},
      {"launcher without gz", [](Json& d) { d["launcher"].erase("gz"); }, [](Manifest& m) { m.launcher->gz.reset(); }},
      {"launcher gz null", [](Json& d) { d["launcher"]["gz"] = nullptr; }, [](Manifest& m) { m.launcher->gz.reset(); }},
      {"file gz null", [](Json& d) { d["files"][1]["gz"] = nullptr; }, [](Manifest& m) { m.files[1].gz.reset(); }},
      {"empty files", [](Json& d) { d["files"] = Json::array(); }, [](Manifest& m) { m.files.clear(); }},
      {"unknown members at every level",
       [](Json& d) {
         d["comment"] = "ignored";
         d["client"]["channel"] = {1, 2};
         d["launcher"]["url"] = nullptr;
         d["files"][0]["mode"] = "0755";
         d["files"][1]["Path"] = "other/name.pak";
       },
       [](Manifest&) {}},
      {"schema beyond 32 bits", [](Json& d) { d["schema"] = 4294967298u; }, [](Manifest& m) { m.schema = 4294967298u; }},
      {"largest serial", [](Json& d) { d["serial"] = UINT64_MAX; }, [](Manifest& m) { m.serial = UINT64_MAX; }},
      {"size and gz beyond 4 GiB",  // the limits are the validation's, not the parser's
       [](Json& d) {
         d["files"][0]["size"] = UINT64_MAX;
         d["files"][0]["gz"] = 4294967297u;
       },
       [](Manifest& m) {
         m.files[0].size = UINT64_MAX;
         m.files[0].gz = 4294967297u;
       }},
      {"hash and path values unchecked",
       [](Json& d) {
         d["files"][0]["sha256"] = "XYZ";
         d["files"][0]["path"] = "../x";
       },
       [](Manifest& m) {
         m.files[0].sha256 = "XYZ";
         m.files[0].path = "../x";
       }},
  };
  for (const Variant& variant : variants) {
    Json document = ValidDocument();
    variant.edit_document(document);
    Manifest expected = ExpectedManifest();
    variant.edit_expected(expected);
    Manifest manifest;
    const Status status = ParseDocument(document, manifest);
    ASSERT_TRUE(status.ok()) << variant.what << ": " << status.message;
    EXPECT_EQ(Describe(manifest), Describe(expected)) << variant.what;
  }
}

struct Refusal {
  const char* what;
  void (*edit)(Json&);
  const char* message;
};

TEST(ParseManifest, RefusedDocuments) {
  const Refusal refusals[] = {
      {"schema missing", [](Json& d) { d.erase("schema"); }, "schema, serial or game_exe"},
      {"schema null", [](Json& d) { d["schema"] = nullptr; }, "schema, serial or game_exe"},
      {"schema as string", [](Json& d) { d["schema"] = "2"; }, "schema, serial or game_exe"},
      {"schema negative", [](Json& d) { d["schema"] = -2; }, "schema, serial or game_exe"},
      {"schema with fraction", [](Json& d) { d["schema"] = 2.0; }, "schema, serial or game_exe"},
      {"schema boolean", [](Json& d) { d["schema"] = true; }, "schema, serial or game_exe"},
      {"schema in another case", [](Json& d) { d["Schema"] = d["schema"]; d.erase("schema"); },
       "schema, serial or game_exe"},
      {"serial missing", [](Json& d) { d.erase("serial"); }, "schema, serial or game_exe"},
      {"serial negative", [](Json& d) { d["serial"] = -7; }, "schema, serial or game_exe"},
      {"game_exe missing", [](Json& d) { d.erase("game_exe"); }, "schema, serial or game_exe"},
      {"game_exe null", [](Json& d) { d["game_exe"] = nullptr; }, "schema, serial or game_exe"},
      {"game_exe as array", [](Json& d) { d["game_exe"] = {"Game.exe"}; }, "schema, serial or game_exe"},
      {"client missing", [](Json& d) { d.erase("client"); }, "client"},
      {"client null", [](Json& d) { d["client"] = nullptr; }, "client"},
      {"client as string", [](Json& d) { d["client"] = "1.4.2"; }, "client"},
      {"client version missing", [](Json& d) { d["client"].erase("version"); }, "client"},
      {"client version number", [](Json& d) { d["client"]["version"] = 142; }, "client"},
      {"client build as string", [](Json& d) { d["client"]["build"] = "1402"; }, "client"},
      {"client build negative", [](Json& d) { d["client"]["build"] = -1; }, "client"},
      {"launcher as string", [](Json& d) { d["launcher"] = "2.0.1"; }, "launcher"},
      {"launcher as array", [](Json& d) { d["launcher"] = Json::array(); }, "launcher"},
      {"launcher empty", [](Json& d) { d["launcher"] = Json::object(); }, "launcher"},
      {"launcher version missing", [](Json& d) { d["launcher"].erase("version"); }, "launcher"},
      {"launcher sha256 null", [](Json& d) { d["launcher"]["sha256"] = nullptr; }, "launcher"},
      {"launcher size as string", [](Json& d) { d["launcher"]["size"] = "900000"; }, "launcher"},
      {"launcher gz as string", [](Json& d) { d["launcher"]["gz"] = "400000"; }, "launcher gz"},
      {"launcher gz negative", [](Json& d) { d["launcher"]["gz"] = -1; }, "launcher gz"},
      {"launcher gz boolean", [](Json& d) { d["launcher"]["gz"] = false; }, "launcher gz"},
      {"files missing", [](Json& d) { d.erase("files"); }, "files"},
      {"files null", [](Json& d) { d["files"] = nullptr; }, "files"},
      {"files as object", [](Json& d) { d["files"] = Json::object(); }, "files"},
      {"file as string", [](Json& d) { d["files"][1] = "data/maps/a.pak"; }, "file entry"},
      {"file as array", [](Json& d) { d["files"][1] = Json::array(); }, "file entry"},
      {"file path missing", [](Json& d) { d["files"][1].erase("path"); }, "file entry"},
      {"file path number", [](Json& d) { d["files"][1]["path"] = 1; }, "file entry"},
      {"file sha256 null", [](Json& d) { d["files"][1]["sha256"] = nullptr; }, "file entry"},
      {"file size missing", [](Json& d) { d["files"][1].erase("size"); }, "file entry"},
      {"file size negative", [](Json& d) { d["files"][1]["size"] = -1; }, "file entry"},
      {"file size with fraction", [](Json& d) { d["files"][1]["size"] = 1.0; }, "file entry"},
      {"file size as string", [](Json& d) { d["files"][1]["size"] = "0"; }, "file entry"},
      {"file gz as string", [](Json& d) { d["files"][1]["gz"] = "20"; }, "file gz: data/maps/Ñandú.pak"},
      {"file gz with fraction", [](Json& d) { d["files"][0]["gz"] = 2.5; }, "file gz: Game.exe"},
      {"file gz negative", [](Json& d) { d["files"][0]["gz"] = -20; }, "file gz: Game.exe"},
      {"entry before a broken gz", [](Json& d) { d["files"][0].erase("size"); d["files"][1]["gz"] = "x"; },
       "file entry"},
      {"header before the rest", [](Json& d) { d.erase("serial"); d.erase("client"); d.erase("files"); },
       "schema, serial or game_exe"},
      {"client before launcher", [](Json& d) { d["client"] = 1; d["launcher"] = 1; }, "client"},
      {"launcher before files", [](Json& d) { d["launcher"] = 1; d["files"] = 1; }, "launcher"},
      {"launcher gz before files", [](Json& d) { d["launcher"]["gz"] = "x"; d["files"] = 1; }, "launcher gz"},
  };
  for (const Refusal& refusal : refusals) {
    Json document = ValidDocument();
    refusal.edit(document);
    Manifest manifest;
    const Status status = ParseDocument(document, manifest);
    EXPECT_EQ(status.kind, StatusKind::Manifest) << refusal.what;
    EXPECT_EQ(status.message, refusal.message) << refusal.what;
  }
}

TEST(ParseManifest, AnythingButOneJsonObjectIsNotAnObject) {
  const char* texts[] = {
      "",
      "null",
      "[]",
      "2",
      "\"{}\"",
      "{\"schema\": 2",
      "{\"schema\": 2,}",
      "{} {}",
      "{\"schema\": 2} // signed",
      "/* signed */ {}",
      "{\"game_exe\": \"\xff\"}",
  };
  for (const char* text : texts) {
    Manifest manifest;
    const Status status = ParseText(text, manifest);
    EXPECT_EQ(status.kind, StatusKind::Manifest) << text;
    EXPECT_EQ(status.message, "not a JSON object") << text;
  }
}

// Numbers that only the text can express: the library would rewrite them on the way out of a document.
TEST(ParseManifest, OnlyPlainDigitsAreANonNegativeInteger) {
  const std::string valid = ValidDocument().dump();
  const std::string written = "\"size\":5000";
  const std::size_t at = valid.find(written);
  ASSERT_NE(at, std::string::npos);
  const std::pair<const char*, bool> cases[] = {
      {"5000", true},  {"0", true},     {"18446744073709551615", true},
      {"-0", false},   {"5e3", false},  {"5000.0", false},
      {"18446744073709551616", false},  // beyond 64 bits the library holds a floating-point number
  };
  for (const auto& [number, accepted] : cases) {
    std::string text = valid;
    text.replace(at, written.size(), std::string("\"size\":") + number);
    Manifest manifest;
    const Status status = ParseText(text, manifest);
    EXPECT_EQ(status.message, accepted ? "" : "file entry") << number;
  }
}

TEST(ParseManifest, ThenValidation) {
  const std::pair<void (*)(Json&), const char*> cases[] = {
      {[](Json&) {}, ""},
      {[](Json& d) { d["files"] = Json::array(); }, "file count"},
      {[](Json& d) { d["schema"] = 4294967298u; }, "schema 4294967298"},
  };
  for (const auto& [edit, message] : cases) {
    Json document = ValidDocument();
    edit(document);
    Manifest manifest;
    ASSERT_TRUE(ParseDocument(document, manifest).ok()) << message;
    EXPECT_EQ(ValidateManifest(manifest).message, message);
  }
}

// The optional index of a file's chunks: launchers that know it read it, older ones ignore it.
TEST(ParseManifest, ChunkIndexMember) {
  constexpr const char* kIndexHash = "abababababababababababababababababababababababababababababababab";
  const struct {
    const char* what;
    Json member;
    const char* message;
    std::optional<ChunkIndexRef> expected;
  } cases[] = {
      {"absent", Json(), "", std::nullopt},
      {"index", {{"sha256", kIndexHash}, {"size", 3636}}, "", ChunkIndexRef{kIndexHash, 3636}},
      {"unknown members ignored", {{"sha256", kIndexHash}, {"size", 36}, {"version", 2}}, "", ChunkIndexRef{kIndexHash, 36}},
      {"values unchecked", {{"sha256", "x"}, {"size", UINT64_MAX}}, "", ChunkIndexRef{"x", UINT64_MAX}},
      {"as string", kIndexHash, "file chunk_index: data/maps/Ñandú.pak", std::nullopt},
      {"empty object", Json::object(), "file chunk_index: data/maps/Ñandú.pak", std::nullopt},
      {"sha256 missing", {{"size", 3636}}, "file chunk_index: data/maps/Ñandú.pak", std::nullopt},
      {"sha256 as number", {{"sha256", 1}, {"size", 3636}}, "file chunk_index: data/maps/Ñandú.pak", std::nullopt},
      {"size null", {{"sha256", kIndexHash}, {"size", nullptr}}, "file chunk_index: data/maps/Ñandú.pak", std::nullopt},
      {"size negative", {{"sha256", kIndexHash}, {"size", -1}}, "file chunk_index: data/maps/Ñandú.pak", std::nullopt},
  };
  for (const auto& c : cases) {
    Json document = ValidDocument();
    document["files"][1]["chunk_index"] = c.member;  // a JSON null stands for absent
    Manifest manifest;
    const Status status = ParseDocument(document, manifest);
    EXPECT_EQ(status.message, c.message) << c.what;
    if (!status.ok()) continue;
    EXPECT_EQ(manifest.files[1].chunk_index, c.expected) << c.what;
    EXPECT_EQ(manifest.files[0].chunk_index, std::nullopt) << c.what;
  }
}

}  // namespace
}  // namespace dkl
