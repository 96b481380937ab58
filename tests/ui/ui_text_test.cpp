#include "ui/ui_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace dkl {
namespace {

UiString At(int index) { return static_cast<UiString>(index); }

TEST(UiText, BothTablesHaveEveryEntry) {
  for (const bool english : {true, false}) {
    for (int i = 0; i < UiStringCount; ++i) EXPECT_FALSE(TextFor(english, At(i)).empty()) << english << " " << i;
  }
}

TEST(UiText, OutOfRangeIndexesAreEmpty) {
  for (const int i : {-1, UiStringCount, 1000}) {
    EXPECT_TRUE(TextFor(true, At(i)).empty()) << i;
    EXPECT_TRUE(TextFor(false, At(i)).empty()) << i;
  }
}

// Each language's templates take the same directives in the same order, or a painter fills one
// language wrongly.
TEST(UiText, TemplatesAgreeAcrossLanguages) {
  const auto directives = [](std::wstring_view text) {
    std::wstring found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] == L'%') found.push_back(text[++i]);
    }
    return found;
  };
  for (int i = 0; i < UiStringCount; ++i) {
    EXPECT_EQ(directives(TextFor(true, At(i))), directives(TextFor(false, At(i)))) << i;
  }
}

TEST(UiText, EntriesKeepTheirIndexAndSpelling) {
  const struct {
    UiString index;
    std::wstring_view english;
    std::wstring_view spanish;
  } cases[] = {
      {UiString::Language, L"Language", L"Idioma"},
      {UiString::Checking, L"Checking\u2026", L"Comprobando\u2026"},
      {UiString::PhaseReady, L"All set. Play!", L"Todo listo. \u00a1A jugar!"},
      {UiString::PhaseOffline, L"The update server cannot be reached.",
       L"Sin conexi\u00f3n con el servidor de actualizaciones."},
      {UiString::StatusOffline, L"The update server cannot be reached.",
       L"No hay conexi\u00f3n con el servidor de actualizaciones."},
      {UiString::FilesProgress, L"%u of %u files", L"%u de %u archivos"},
      {UiString::GraphicsCardLine, L"Graphics card: %s \u00b7 driver %s", L"Placa detectada: %s \u00b7 driver %s"},
      {UiString::RecommendedApplied, L"Done: recommended options applied.",
       L"Listo: opciones recomendadas aplicadas."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextFor(true, c.index), c.english) << static_cast<int>(c.index);
    EXPECT_EQ(TextFor(false, c.index), c.spanish) << static_cast<int>(c.index);
  }
}

TEST(UiText, RepeatedWordingsStaySeparateEntries) {
  for (const bool english : {true, false}) {
    EXPECT_EQ(TextFor(english, UiString::SettingsTitle), TextFor(english, UiString::Settings));
    EXPECT_EQ(TextFor(english, UiString::ModeFullscreen), TextFor(english, UiString::Fullscreen));
  }
  EXPECT_EQ(TextFor(true, UiString::PhaseOffline), TextFor(true, UiString::StatusOffline));
  EXPECT_NE(TextFor(false, UiString::PhaseOffline), TextFor(false, UiString::StatusOffline));
}

TEST(MessageForStatus, EveryKindHasItsMessage) {
  const struct {
    int kind;
    std::wstring_view english;
    std::wstring_view spanish;
  } cases[] = {
      {0, L"The update failed.", L"No se pudo actualizar."},
      {1, L"The update server cannot be reached.", L"No hay conexi\u00f3n con el servidor de actualizaciones."},
      {2, L"The update is not validly signed and was discarded.",
       L"La actualizaci\u00f3n no tiene una firma v\u00e1lida y se descart\u00f3."},
      {3, L"The server offered an older version than the installed one; it was discarded.",
       L"El servidor ofreci\u00f3 una versi\u00f3n m\u00e1s vieja que la instalada y se descart\u00f3."},
      {4, L"The server's file list is damaged.", L"La lista de archivos del servidor est\u00e1 da\u00f1ada."},
      {5, L"A file arrived damaged several times.", L"Un archivo lleg\u00f3 da\u00f1ado varias veces."},
      {6, L"Close the game so it can be updated.", L"Cerr\u00e1 el juego para poder actualizarlo."},
      {7, L"The download was interrupted.", L"Se cort\u00f3 la descarga."},
      {8, L"The disk is full.", L"No hay espacio en el disco."},
      {9, L"No permission to write to the game folder.", L"No hay permiso para escribir en la carpeta del juego."},
      {10, L"The game folder could not be written.", L"No se pudo escribir en la carpeta del juego."},
      {11, L"Wait for the update to finish.", L"Esper\u00e1 a que termine la actualizaci\u00f3n."},
      {12, L"Check the values.", L"Revis\u00e1 los datos."},
      {13, L"The update failed.", L"No se pudo actualizar."},
      {-1, L"The update failed.", L"No se pudo actualizar."},
  };
  for (const auto& c : cases) {
    const auto kind = static_cast<StatusKind>(c.kind);
    EXPECT_EQ(MessageForStatus(true, kind), c.english) << c.kind;
    EXPECT_EQ(MessageForStatus(false, kind), c.spanish) << c.kind;
  }
}

TEST(DetailLevelName, ClampsToTheThreeLevels) {
  const struct {
    int level;
    std::wstring_view english;
    std::wstring_view spanish;
  } cases[] = {
      {-1, L"Low", L"Bajo"}, {0, L"Low", L"Bajo"}, {1, L"Medium", L"Medio"},
      {2, L"High", L"Alto"}, {7, L"High", L"Alto"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetailLevelName(true, c.level), c.english) << c.level;
    EXPECT_EQ(DetailLevelName(false, c.level), c.spanish) << c.level;
  }
}

TEST(FormatText, FillsTemplates) {
  EXPECT_EQ(FormatText(TextFor(true, UiString::LauncherVersionLine), {L"2.0.1"}), L"Launcher 2.0.1");
  EXPECT_EQ(FormatText(TextFor(false, UiString::LauncherVersionLine), {L"2.0.1"}), L"Launcher 2.0.1");
  EXPECT_EQ(FormatText(TextFor(false, UiString::FilesProgress), {12u, 340u}), L"12 de 340 archivos");
  EXPECT_EQ(FormatText(TextFor(true, UiString::Latency), {4294967295u}), L"Latency 4294967295 ms");
  EXPECT_EQ(FormatText(TextFor(true, UiString::GraphicsCardLine), {L"GeForce GT 710", L"391.35"}),
            L"Graphics card: GeForce GT 710 \u00b7 driver 391.35");
  EXPECT_EQ(FormatText(L"%d%% done", {}), L"%d% done");
  EXPECT_EQ(FormatText(L"no directives", {7u}), L"no directives");
  EXPECT_EQ(FormatText(L"ends in %", {}), L"ends in %");
}

TEST(FormatText, LeavesOutDirectivesWithoutAMatchingArgument) {
  EXPECT_EQ(FormatText(L"%u of %u files", {3u}), L"3 of  files");
  EXPECT_EQ(FormatText(L"[%s]", {5u}), L"[]");
  EXPECT_EQ(FormatText(L"[%s]", {}), L"[]");
}

TEST(FormatText, CutsLongResultsAtTheBufferSize) {
  const std::wstring adapter(600, L'x');
  const std::wstring line = FormatText(TextFor(true, UiString::AdviceBannerLight), {adapter});
  EXPECT_EQ(line.size(), FormattedTextLimit);
  EXPECT_EQ(line.substr(0, 20), L"Your graphics card (");
  EXPECT_EQ(FormatText(std::wstring(FormattedTextLimit, L'a'), {}).size(), FormattedTextLimit);
  EXPECT_EQ(FormatText(std::wstring(FormattedTextLimit + 1, L'a'), {}).size(), FormattedTextLimit);
}

}  // namespace
}  // namespace dkl
