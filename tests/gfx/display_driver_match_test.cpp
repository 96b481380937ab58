#include "gfx/display_driver_match.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

std::vector<GraphicsAdapter> Named(std::initializer_list<const char*> names) {
  std::vector<GraphicsAdapter> adapters;
  for (const char* name : names) adapters.push_back({name, 0x10DE, 0x1F82, "", 4096, false});
  return adapters;
}

TEST(AssignDriverVersion, MatchesTheWholeNameIgnoringAsciiCaseOnly) {
  const std::pair<const char*, bool> cases[] = {
      {"NVIDIA GeForce GTX 1650", true},
      {"nvidia geforce gtx 1650", true},
      {"NVIDIA GEFORCE GTX 1650", true},
      {"NVIDIA GeForce GTX 1650 ", false},
      {"NVIDIA GeForce GTX 165", false},
      {"NVIDIA GeForce GTX 1650 SUPER", false},
      {"NVIDIA GeForce GTX 1660", false},
      {"", false},
  };
  for (const auto& [description, matches] : cases) {
    auto adapters = Named({"NVIDIA GeForce GTX 1650"});
    AssignDriverVersion(adapters, description, "31.0.15.3623");
    EXPECT_EQ(adapters[0].driver_version, matches ? "31.0.15.3623" : "") << '"' << description << '"';
  }
}

TEST(AssignDriverVersion, CaseOutsideAsciiMustMatchExactly) {
  auto adapters = Named({"GRáFICOS ñANDú", "GRÁFICOS ÑANDÚ"});
  AssignDriverVersion(adapters, "gráficos ñandú", "1.0");
  EXPECT_EQ(adapters[0].driver_version, "1.0");
  EXPECT_EQ(adapters[1].driver_version, "") << "Á and á differ beyond ASCII";
}

TEST(AssignDriverVersion, FirstDriverWinsAndSameNamedAdaptersShareIt) {
  auto adapters = Named({"Radeon RX 6600", "Intel UHD", "Radeon RX 6600"});
  AssignDriverVersion(adapters, "Radeon RX 6600", "");
  EXPECT_EQ(adapters[0].driver_version, "") << "an empty version is no version";
  AssignDriverVersion(adapters, "radeon rx 6600", "31.0.1");
  AssignDriverVersion(adapters, "Radeon RX 6600", "32.0.2");
  EXPECT_EQ(adapters[0].driver_version, "31.0.1");
  EXPECT_EQ(adapters[1].driver_version, "");
  EXPECT_EQ(adapters[2].driver_version, "31.0.1");
}

}  // namespace
}  // namespace dkl
