#include "update/install_state_win.h"

#include "base/atomic_write_win.h"
#include "base/file_read_win.h"
#include "base/json_object.h"

namespace dkl {
namespace {

std::filesystem::path StatePath(const std::filesystem::path& game_folder) {
  return game_folder / L".dklauncher" / L"state.json";
}

}  // namespace

InstallState LoadInstallState(const std::filesystem::path& game_folder) {
  Bytes bytes;
  if (!ReadWholeFile(StatePath(game_folder), kInstallStateMaxBytes, bytes)) return {};
  return InstallStateFromJson(ParseJsonObject(bytes));
}

Status SaveInstallState(const InstallState& state, const std::filesystem::path& game_folder) {
  return AtomicWriteFile(StatePath(game_folder), AsBytes(SerializeInstallState(state)));
}

}  // namespace dkl
