#include "gfx/graphics_advice.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace dkl {
namespace {

constexpr std::size_t kNoChoice = std::numeric_limits<std::size_t>::max();

GraphicsAdapter Intel(std::string name, std::uint32_t device_id, std::string driver, std::uint64_t mib) {
  return {std::move(name), 0x8086, device_id, std::move(driver), mib, false};
}

GraphicsAdapter Card(std::uint32_t vendor_id, std::string name, std::uint64_t mib) {
  return {std::move(name), vendor_id, 0x1234, "31.0.15.3623", mib, false};
}

GraphicsAdapter BasicRender() { return {"Microsoft Basic Render Driver", 0x1414, 0x008C, "", 0, true}; }

const GraphicsAdapter kUhd630 = Intel("Intel(R) UHD Graphics 630", 0x3E92, "31.0.101.2111", 128);
const GraphicsAdapter kHd4000 = Intel("Intel(R) HD Graphics 4000", 0x0166, "10.18.10.4358", 32);
const GraphicsAdapter kRtx3060 = Card(0x10DE, "NVIDIA GeForce RTX 3060", 12288);
const GraphicsAdapter kRx550 = Card(0x1002, "AMD Radeon RX 550", 512);

struct AdviceCase {
  const char* label;
  std::vector<GraphicsAdapter> adapters;
  AdviceLevel level;
  std::vector<std::string> findings;
  std::size_t chosen;  // kNoChoice: the list's length
};

TEST(EvaluateAdvice, LevelFindingsAndChosenAdapter) {
  const AdviceCase cases[] = {
      {"intel 2015 driver branch, any device",
       {Intel("Intel HD", 0x9BC4, "10.18.10.4358", 2048)},
       AdviceLevel::Old,
       {"Intel HD: driver 10.18.10.4358 is Intel's 2015 branch for generation 7"},
       0},
      {"intel branch 1 is old", {Intel("Intel HD", 0x9BC4, "1.0", 2048)}, AdviceLevel::Old,
       {"Intel HD: driver 1.0 is Intel's 2015 branch for generation 7"}, 0},
      {"intel branch 19 is old", {Intel("Intel HD", 0x9BC4, "19", 2048)}, AdviceLevel::Old,
       {"Intel HD: driver 19 is Intel's 2015 branch for generation 7"}, 0},
      {"intel generation 7 device with driver 20",
       {Intel("Intel HD 4000", 0x0166, "20.19.15.4531", 2048)},
       AdviceLevel::Old,
       {"Intel HD 4000: generation 7 Intel graphics"},
       0},
      {"intel generation 7 device, last id of the list", {Intel("Intel HD", 0x0157, "", 2048)}, AdviceLevel::Old,
       {"Intel HD: generation 7 Intel graphics"}, 0},
      {"intel driver 0 is not a branch", {Intel("Intel HD", 0x0166, "0.5", 2048)}, AdviceLevel::Old,
       {"Intel HD: generation 7 Intel graphics"}, 0},
      {"intel negative driver is not a branch", {Intel("Intel HD", 0x0166, "-5.1", 2048)}, AdviceLevel::Old,
       {"Intel HD: generation 7 Intel graphics"}, 0},
      {"intel non-numeric driver is not a branch", {Intel("Intel HD", 0x0166, "beta.1", 2048)}, AdviceLevel::Old,
       {"Intel HD: generation 7 Intel graphics"}, 0},
      {"intel new driver, no video memory reported", {Intel("Intel UHD", 0x3E92, "27.20.100.8681", 0)},
       AdviceLevel::Modest, {"Intel UHD: integrated graphics"}, 0},
      {"intel new driver, 32 MiB", {Intel("Intel UHD", 0x3E92, "27.20.100.8681", 32)}, AdviceLevel::Modest,
       {"Intel UHD: integrated graphics"}, 0},
      {"intel 64 MiB passes to the memory rule", {Intel("Intel UHD", 0x3E92, "27.20.100.8681", 64)},
       AdviceLevel::Modest, {"Intel UHD: under 1 GB of video memory"}, 0},
      {"intel 128 MiB", {kUhd630}, AdviceLevel::Modest, {"Intel(R) UHD Graphics 630: under 1 GB of video memory"},
       0},
      {"intel 1024 MiB and a new driver", {Intel("Intel Arc", 0x56A5, "31.0.101.4502", 1024)}, AdviceLevel::Fine,
       {}, kNoChoice},
      {"other vendor, 2048 MiB", {Card(0x1002, "Radeon", 2048)}, AdviceLevel::Fine, {}, kNoChoice},
      {"other vendor, 512 MiB", {kRx550}, AdviceLevel::Modest, {"AMD Radeon RX 550: under 1 GB of video memory"}, 0},
      {"other vendor, 1023 MiB", {Card(0x10DE, "GeForce", 1023)}, AdviceLevel::Modest,
       {"GeForce: under 1 GB of video memory"}, 0},
      {"other vendor, memory not reported", {Card(0x10DE, "GeForce", 0)}, AdviceLevel::Fine, {}, kNoChoice},
      {"intel rules apply to intel only",
       {{"Radeon", 0x1002, 0x0166, "10.1", 2048, false}},
       AdviceLevel::Fine,
       {},
       kNoChoice},
      {"only the basic render driver", {BasicRender()}, AdviceLevel::Old,
       {"no graphics card: Microsoft Basic Render Driver"}, 0},
      {"two software adapters, no hardware", {BasicRender(), BasicRender()}, AdviceLevel::Old,
       {"no graphics card: Microsoft Basic Render Driver", "no graphics card: Microsoft Basic Render Driver"}, 0},
      {"basic render driver beside a real card", {BasicRender(), kRtx3060}, AdviceLevel::Fine, {}, kNoChoice},
      {"basic render driver beside a modest card", {BasicRender(), kRx550}, AdviceLevel::Modest,
       {"AMD Radeon RX 550: under 1 GB of video memory"}, 1},
      {"modest card first, old card second",
       {kUhd630, kHd4000},
       AdviceLevel::Old,
       {"Intel(R) UHD Graphics 630: under 1 GB of video memory",
        "Intel(R) HD Graphics 4000: driver 10.18.10.4358 is Intel's 2015 branch for generation 7"},
       1},
      {"old card first, modest card second",
       {kHd4000, kRx550},
       AdviceLevel::Old,
       {"Intel(R) HD Graphics 4000: driver 10.18.10.4358 is Intel's 2015 branch for generation 7",
        "AMD Radeon RX 550: under 1 GB of video memory"},
       0},
      {"two old cards: the first is chosen",
       {kHd4000, Intel("Intel HD 2500", 0x0152, "20.19.15.4531", 2048)},
       AdviceLevel::Old,
       {"Intel(R) HD Graphics 4000: driver 10.18.10.4358 is Intel's 2015 branch for generation 7",
        "Intel HD 2500: generation 7 Intel graphics"},
       0},
      {"laptop with integrated and discrete card",
       {Intel("Intel UHD", 0x9BC4, "27.20.100.8681", 0), kRtx3060},
       AdviceLevel::Modest,
       {"Intel UHD: integrated graphics"},
       0},
  };
  for (const AdviceCase& row : cases) {
    const Advice advice = EvaluateAdvice(row.adapters);
    EXPECT_EQ(advice.level, row.level) << row.label;
    EXPECT_EQ(advice.findings, row.findings) << row.label;
    EXPECT_EQ(advice.chosen, row.chosen == kNoChoice ? row.adapters.size() : row.chosen) << row.label;
  }
}

DisplaySettings Custom(bool lighting, bool auras, std::int32_t detail) {
  DisplaySettings settings;
  settings.mode = WindowMode::Borderless;
  settings.width = 1920;
  settings.height = 1440;
  settings.fpsLimit = 144;
  settings.vsync = true;
  settings.ambientLighting = lighting;
  settings.bodyAuras = auras;
  settings.detailLevel = detail;
  return settings;
}

TEST(RecommendedSettings, ChangesOnlyTheGraphicsOptionsOfItsLevel) {
  struct Case {
    const char* label;
    AdviceLevel level;
    DisplaySettings given;
    DisplaySettings recommended;
    bool would_change;
  };
  const Case cases[] = {
      {"old: lighting and auras off, detail down to 1", AdviceLevel::Old, Custom(true, true, 2),
       Custom(false, false, 1), true},
      {"old keeps detail 0", AdviceLevel::Old, Custom(true, true, 0), Custom(false, false, 0), true},
      {"old with only lighting left on", AdviceLevel::Old, Custom(true, false, 1), Custom(false, false, 1), true},
      {"old with only detail too high", AdviceLevel::Old, Custom(false, false, 2), Custom(false, false, 1), true},
      {"old already followed", AdviceLevel::Old, Custom(false, false, 1), Custom(false, false, 1), false},
      {"modest: auras off only", AdviceLevel::Modest, Custom(true, true, 2), Custom(true, false, 2), true},
      {"modest with auras already off", AdviceLevel::Modest, Custom(true, false, 2), Custom(true, false, 2), false},
      {"fine changes nothing", AdviceLevel::Fine, Custom(true, true, 2), Custom(true, true, 2), false},
      {"no adapter changes nothing", AdviceLevel::None, Custom(true, true, 2), Custom(true, true, 2), false},
  };
  for (const Case& row : cases) {
    EXPECT_EQ(RecommendedSettings(row.level, row.given), row.recommended) << row.label;
    EXPECT_EQ(AdviceWouldChange(row.level, row.given), row.would_change) << row.label;
  }
}

TEST(GraphicsReport, AdviceIsAppliedOnlyWhenAnAdapterWasFound) {
  const GraphicsReport empty = MakeGraphicsReport({});
  EXPECT_EQ(empty.level, AdviceLevel::None);
  EXPECT_TRUE(empty.findings.empty());
  EXPECT_FALSE(empty.chosen_adapter.has_value());

  const GraphicsReport fine = MakeGraphicsReport({kRtx3060});
  EXPECT_EQ(fine.level, AdviceLevel::Fine);
  EXPECT_FALSE(fine.chosen_adapter.has_value());

  const GraphicsReport old = MakeGraphicsReport({kRtx3060, kHd4000});
  EXPECT_EQ(old.level, AdviceLevel::Old);
  EXPECT_EQ(old.adapters.size(), 2u);
  EXPECT_EQ(old.findings.size(), 1u);
  EXPECT_EQ(old.chosen_adapter, 1u);
}

TEST(GraphicsSignature, NamesTheChosenAdapterAndItsDriver) {
  EXPECT_EQ(GraphicsSignature(MakeGraphicsReport({})), "");
  EXPECT_EQ(GraphicsSignature(MakeGraphicsReport({kRtx3060})), "") << "nothing chosen at level 1";
  EXPECT_EQ(GraphicsSignature(MakeGraphicsReport({kRtx3060, kHd4000})), "Intel(R) HD Graphics 4000|10.18.10.4358");
  EXPECT_EQ(GraphicsSignature(MakeGraphicsReport({BasicRender()})), "Microsoft Basic Render Driver|")
      << "an empty driver version still has its separator";
}

}  // namespace
}  // namespace dkl
