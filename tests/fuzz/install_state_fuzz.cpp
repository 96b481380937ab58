// ".dklauncher\state.json" as a crash, a full disk or a player may leave it: loading never fails, and
// what the launcher saves loads back as it was.
#include "base/json_object.h"
#include "fuzz/fuzz_target.h"
#include "update/install_state.h"

namespace dkl::fuzz {
namespace {

void LoadAndSave(ByteView input) {
  const InstallState loaded = InstallStateFromJson(ParseJsonObject(input));
  const std::string saved = SerializeInstallState(loaded);
  FUZZ_CHECK(InstallStateFromJson(ParseJsonObject(AsBytes(saved))) == loaded);
}

}  // namespace
}  // namespace dkl::fuzz

DKL_FUZZ_TARGET("install_state", dkl::fuzz::LoadAndSave)
