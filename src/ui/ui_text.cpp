#include "ui/ui_text.h"

#include <array>

namespace dkl {
namespace {

struct Entry {
  std::wstring_view english;
  std::wstring_view spanish;
};

// Both languages side by side, so an index cannot mean different things in the two.
constexpr std::array<Entry, UiStringCount> kEntries = {{
    {L"Language", L"Idioma"},  // 0
    {L"Settings", L"Configuración"},  // 1
    {L"Minimize", L"Minimizar"},  // 2
    {L"Close", L"Cerrar"},  // 3
    {L"News", L"Novedades"},  // 4
    {L"News show up here when the site can be reached.",
     L"Las novedades aparecen acá cuando hay conexión con el sitio."},  // 5
    {L"Server", L"Servidor"},  // 6
    {L"Online", L"En línea"},  // 7
    {L"Offline", L"Fuera de línea"},  // 8
    {L"Latency %u ms", L"Latencia %u ms"},  // 9
    {L"Checking…", L"Comprobando…"},  // 10
    {L"Version", L"Versión"},  // 11
    {L"Installed", L"Instalada"},  // 12
    {L"Available", L"Disponible"},  // 13
    {L"Verify files", L"Verificar archivos"},  // 14
    {L"Website", L"Sitio web"},  // 15
    {L"Play", L"Jugar"},  // 16
    {L"Retry", L"Reintentar"},  // 17
    {L"Settings", L"Configuración"},  // 18
    {L"Game folder", L"Carpeta del juego"},  // 19
    {L"Browse", L"Elegir"},  // 20
    {L"Resolution", L"Resolución"},  // 21
    {L"Mode", L"Modo"},  // 22
    {L"Window", L"Ventana"},  // 23
    {L"Borderless window", L"Ventana sin bordes"},  // 24
    {L"Fullscreen", L"Pantalla completa"},  // 25
    {L"Fullscreen", L"Pantalla completa"},  // 26
    {L"Keep 4:3", L"Mantener 4:3"},  // 27
    {L"Stretch", L"Estirar"},  // 28
    {L"FPS limit", L"Límite de FPS"},  // 29
    {L"Unlimited", L"Sin límite"},  // 30
    {L"VSync", L"VSync"},  // 31
    {L"Keep the mouse in the window", L"Mantener el mouse en la ventana"},  // 32
    {L"Back", L"Volver"},  // 33
    {L"Save", L"Guardar"},  // 34
    {L"Launcher %s", L"Launcher %s"},  // 35
    {L"Looking for updates…", L"Buscando actualizaciones…"},  // 36
    {L"Checking files…", L"Revisando archivos…"},  // 37
    {L"Verifying every file…", L"Verificando todos los archivos…"},  // 38
    {L"Downloading update…", L"Descargando actualización…"},  // 39
    {L"Updating the launcher…", L"Actualizando el launcher…"},  // 40
    {L"All set. Play!", L"Todo listo. ¡A jugar!"},  // 41
    {L"The update server cannot be reached.", L"Sin conexión con el servidor de actualizaciones."},  // 42
    {L"The update failed.", L"No se pudo actualizar."},  // 43
    {L"The update server cannot be reached: you can play your current version.",
     L"Sin conexión con el servidor de actualizaciones: podés jugar con tu versión."},  // 44
    {L"%u of %u files", L"%u de %u archivos"},  // 45
    {L"All files verified", L"Todos los archivos verificados"},  // 46
    {L"The update server cannot be reached.", L"No hay conexión con el servidor de actualizaciones."},  // 47
    {L"The update is not validly signed and was discarded.",
     L"La actualización no tiene una firma válida y se descartó."},  // 48
    {L"The server offered an older version than the installed one; it was discarded.",
     L"El servidor ofreció una versión más vieja que la instalada y se descartó."},  // 49
    {L"The server's file list is damaged.", L"La lista de archivos del servidor está dañada."},  // 50
    {L"A file arrived damaged several times.", L"Un archivo llegó dañado varias veces."},  // 51
    {L"Close the game so it can be updated.", L"Cerrá el juego para poder actualizarlo."},  // 52
    {L"The download was interrupted.", L"Se cortó la descarga."},  // 53
    {L"The disk is full.", L"No hay espacio en el disco."},  // 54
    {L"No permission to write to the game folder.",
     L"No hay permiso para escribir en la carpeta del juego."},  // 55
    {L"The game folder could not be written.", L"No se pudo escribir en la carpeta del juego."},  // 56
    {L"Wait for the update to finish.", L"Esperá a que termine la actualización."},  // 57
    {L"Check the values.", L"Revisá los datos."},  // 58
    {L"Graphics", L"Gráficos"},  // 59
    {L"Enhanced lighting", L"Iluminación mejorada"},  // 60
    {L"Auras", L"Auras"},  // 61
    {L"Detail level", L"Nivel de detalle"},  // 62
    {L"Low", L"Bajo"},  // 63
    {L"Medium", L"Medio"},  // 64
    {L"High", L"Alto"},  // 65
    {L"recommended", L"recomendado"},  // 66
    {L"Graphics card: %s · driver %s", L"Placa detectada: %s · driver %s"},  // 67
    {L"Graphics card: could not be detected", L"Placa de video: no se pudo detectar"},  // 68
    {L"Old", L"Antigua"},  // 69
    {L"Modest", L"Modesta"},  // 70
    {L"Your graphics card (%s, driver %s) tends to crash with Enhanced lighting and Auras. "
     L"We recommend turning them off.",
     L"Tu placa de video (%s, driver %s) suele fallar con Iluminación mejorada y Auras. "
     L"Recomendamos desactivarlas."},  // 71
    {L"Your graphics card (%s) is on the light side for Auras. We recommend turning them off.",
     L"Tu placa de video (%s) es justa para las Auras. Recomendamos desactivarlas."},  // 72
    {L"Apply recommended", L"Aplicar recomendado"},  // 73
    {L"Not now", L"Ahora no"},  // 74
    {L"Done: recommended options applied.", L"Listo: opciones recomendadas aplicadas."},  // 75
}};

constexpr int kFirstStatusEntry = static_cast<int>(UiString::StatusOffline);

}  // namespace

std::wstring_view TextFor(bool english, UiString index) {
  const int i = static_cast<int>(index);
  if (i < 0 || i >= UiStringCount) return {};
  return english ? kEntries[static_cast<std::size_t>(i)].english : kEntries[static_cast<std::size_t>(i)].spanish;
}

std::wstring_view MessageForStatus(bool english, StatusKind kind) {
  const int k = static_cast<int>(kind);
  if (k < 1 || k > 12) return TextFor(english, UiString::PhaseFailed);
  return TextFor(english, static_cast<UiString>(kFirstStatusEntry + k - 1));
}

std::wstring_view DetailLevelName(bool english, int level) {
  if (level <= 0) return TextFor(english, UiString::DetailLow);
  if (level == 1) return TextFor(english, UiString::DetailMedium);
  return TextFor(english, UiString::DetailHigh);
}

std::wstring FormatText(std::wstring_view pattern, std::initializer_list<FormatArg> args) {
  std::wstring out;
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size() && out.size() < FormattedTextLimit; ++i) {
    const wchar_t c = pattern[i];
    if (c != L'%' || i + 1 == pattern.size()) {
      out.push_back(c);
      continue;
    }
    const wchar_t directive = pattern[++i];
    if (directive == L'%') {
      out.push_back(L'%');
    } else if (directive == L'u' || directive == L's') {
      const bool want_number = directive == L'u';
      if (next != args.end() && next->is_number == want_number) {
        out += want_number ? std::to_wstring(next->number) : std::wstring(next->text);
      }
      if (next != args.end()) ++next;
    } else {
      out.push_back(c);
      out.push_back(directive);
    }
  }
  if (out.size() > FormattedTextLimit) out.resize(FormattedTextLimit);
  return out;
}

}  // namespace dkl
