#include "gfx/graphics_detect_win.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "gfx/display_drivers_win.h"
#include "gfx/graphics_log_win.h"
#include "support/temp_dir.h"

namespace dkl {
namespace {

using testing::ReadFile;
using testing::TempDir;

// A display adapter class of our own under HKEY_CURRENT_USER, removed afterwards.
class DisplayClassKey : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = L"Software\\DuskcrownLauncherTests\\DisplayClass" + std::to_wstring(GetCurrentProcessId());
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    // Fails harmlessly while another test process still has its key there.
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\DuskcrownLauncherTests");
  }

  void SetText(const wchar_t* subkey, const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ) {
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    Set(subkey, name, type, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  }

  void SetNumber(const wchar_t* subkey, const wchar_t* name, DWORD value) {
    Set(subkey, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  }

  void Driver(const wchar_t* subkey, const std::wstring& description, const std::wstring& version) {
    SetText(subkey, L"DriverDesc", description);
    SetText(subkey, L"DriverVersion", version);
  }

  std::vector<GraphicsAdapter> Read(std::initializer_list<const char*> names) {
    std::vector<GraphicsAdapter> adapters;
    for (const char* name : names) adapters.push_back({name, 0x10DE, 0x1F82, "", 4096, false});
    ReadDisplayDrivers(adapters, HKEY_CURRENT_USER, path_.c_str());
    return adapters;
  }

  std::wstring path_;

 private:
  void Set(const wchar_t* subkey, const wchar_t* name, DWORD type, const BYTE* data, DWORD bytes) {
    const std::wstring full = path_ + L"\\" + subkey;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, full.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, data, bytes), ERROR_SUCCESS);
    RegCloseKey(key);
  }
};

TEST_F(DisplayClassKey, WalksFourDigitSubkeysAcrossGapsAndNothingElse) {
  Driver(L"0000", L"Intel(R) UHD Graphics 620", L"27.20.100.8681");
  Driver(L"0001", L"NVIDIA GeForce MX150", L"31.0.15.3623");
  Driver(L"0004", L"AMD Radeon 530", L"30.0.13025.1000");
  Driver(L"0063", L"Last Of The Walk", L"1.63");
  Driver(L"0064", L"Beyond The Walk", L"1.64");
  Driver(L"4", L"Short Name", L"1.4");
  Driver(L"Properties", L"Properties Key", L"1.0");
  const auto adapters = Read({"Intel(R) UHD Graphics 620", "AMD Radeon 530", "NVIDIA GeForce MX150",
                              "Last Of The Walk", "Beyond The Walk", "Short Name", "Properties Key"});
  EXPECT_EQ(adapters[0].driver_version, "27.20.100.8681");
  EXPECT_EQ(adapters[1].driver_version, "30.0.13025.1000");
  EXPECT_EQ(adapters[2].driver_version, "31.0.15.3623");
  EXPECT_EQ(adapters[3].driver_version, "1.63");
  EXPECT_EQ(adapters[4].driver_version, "") << "0064 is past the walk";
  EXPECT_EQ(adapters[5].driver_version, "") << "names that are not four digits are never opened";
  EXPECT_EQ(adapters[6].driver_version, "");
}

TEST_F(DisplayClassKey, TakesOnlyTextValuesThatFitTheBuffer) {
  SetText(L"0000", L"DriverDesc", L"Dword Driver");
  SetNumber(L"0000", L"DriverVersion", 27);
  SetText(L"0001", L"DriverDesc", L"Expand Driver");
  SetText(L"0001", L"DriverVersion", L"%SystemRoot%", REG_EXPAND_SZ);
  SetText(L"0002", L"DriverDesc", L"Long Driver");
  SetText(L"0002", L"DriverVersion", std::wstring(600, L'9'));
  SetText(L"0003", L"DriverDesc", L"Widest Driver");
  SetText(L"0003", L"DriverVersion", std::wstring(510, L'8'));
  SetText(L"0005", L"DriverDesc", L"Unversioned Driver");
  SetText(L"0006", L"DriverDesc", L"Radeon™ Gráficos");
  SetText(L"0006", L"DriverVersion", L"31.0.21.ñ");
  const auto adapters = Read(
      {"Dword Driver", "Expand Driver", "Long Driver", "Widest Driver", "Unversioned Driver", "Radeon™ Gráficos"});
  EXPECT_EQ(adapters[0].driver_version, "");
  EXPECT_EQ(adapters[1].driver_version, "");
  EXPECT_EQ(adapters[2].driver_version, "") << "a value longer than 511 characters is not read";
  EXPECT_EQ(adapters[3].driver_version, std::string(510, '8'));
  EXPECT_EQ(adapters[4].driver_version, "");
  EXPECT_EQ(adapters[5].driver_version, "31.0.21.ñ") << "UTF-16 becomes UTF-8";
}

TEST_F(DisplayClassKey, MatchesIgnoringAsciiCaseAndTheLowestSubkeyWins) {
  Driver(L"0000", L"INTEL(R) HD GRAPHICS 4000", L"10.18.10.4358");
  Driver(L"0001", L"Intel(R) HD Graphics 4000", L"20.19.15.4531");
  Driver(L"0002", L"NVIDIA GeForce GT 640M ", L"9.18.13.4192");
  SetText(L"0003", L"DriverDesc", L"Radeon HD 7750");
  SetNumber(L"0003", L"DriverVersion", 15);
  Driver(L"0004", L"Radeon HD 7750", L"15.201.1151.1008");
  const auto adapters =
      Read({"Intel(R) HD Graphics 4000", "NVIDIA GeForce GT 640M", "Radeon HD 7750", "intel(r) hd graphics 4000"});
  EXPECT_EQ(adapters[0].driver_version, "10.18.10.4358");
  EXPECT_EQ(adapters[1].driver_version, "") << "a trailing space is a different name";
  EXPECT_EQ(adapters[2].driver_version, "15.201.1151.1008") << "a subkey without a text version takes no turn";
  EXPECT_EQ(adapters[3].driver_version, "10.18.10.4358");
}

TEST_F(DisplayClassKey, MissingClassKeyFillsNothing) {
  const auto adapters = Read({"NVIDIA GeForce RTX 3060"});
  EXPECT_EQ(adapters[0].driver_version, "");
}

// Wine offers no adapter without a display and its own stand-in card on one (the tests run on a
// private X screen); neither raises a concern.
TEST(DetectGraphics, WineRaisesNoConcernWithOrWithoutADisplay) {
  const GraphicsReport report = DetectGraphics();
  EXPECT_EQ(report.level, report.adapters.empty() ? AdviceLevel::None : AdviceLevel::Fine);
  EXPECT_TRUE(report.findings.empty());
  EXPECT_FALSE(report.chosen_adapter.has_value());
  EXPECT_EQ(GraphicsSignature(report), "");
}

DXGI_ADAPTER_DESC1 Description(const wchar_t* name, UINT vendor, SIZE_T memory_bytes, UINT flags) {
  DXGI_ADAPTER_DESC1 description{};
  wcsncpy(description.Description, name, 127);
  description.VendorId = vendor;
  description.DeviceId = 0x0166;
  description.DedicatedVideoMemory = memory_bytes;
  description.Flags = flags;
  return description;
}

TEST(AdapterFromDescription, SoftwareByFlagOrMicrosoftVendorAndMemoryInWholeMebibytes) {
  struct Case {
    DXGI_ADAPTER_DESC1 description;
    const char* name;
    std::uint64_t mib;
    bool software;
  };
  const Case cases[] = {
      {Description(L"Microsoft Basic Render Driver", 0x1414, 0, 0), "Microsoft Basic Render Driver", 0, true},
      {Description(L"Some Rasteriser", 0x10DE, 0, DXGI_ADAPTER_FLAG_SOFTWARE), "Some Rasteriser", 0, true},
      {Description(L"Intel(R) HD Graphics 4000", 0x8086, 1048575, 0), "Intel(R) HD Graphics 4000", 0, false},
      {Description(L"Radeon™ RX 550", 0x1002, 512u * 1048576 + 1048575, 0), "Radeon™ RX 550", 512, false},
  };
  for (const Case& row : cases) {
    const GraphicsAdapter adapter = AdapterFromDescription(row.description);
    EXPECT_EQ(adapter.name, row.name);
    EXPECT_EQ(adapter.vendor_id, row.description.VendorId) << row.name;
    EXPECT_EQ(adapter.device_id, 0x0166u) << row.name;
    EXPECT_EQ(adapter.video_memory_mib, row.mib) << row.name;
    EXPECT_EQ(adapter.software, row.software) << row.name;
    EXPECT_EQ(adapter.driver_version, "") << row.name;
  }

  DXGI_ADAPTER_DESC1 unterminated = Description(L"", 0x10DE, 0, 0);
  std::fill(std::begin(unterminated.Description), std::end(unterminated.Description), L'G');
  EXPECT_EQ(AdapterFromDescription(unterminated).name, std::string(128, 'G'));
}

TEST(LogGraphicsFindings, OneLinePerFindingInOrder) {
  TempDir game;
  GraphicsReport report;
  LogGraphicsFindings(game.path(), report);
  EXPECT_FALSE(std::filesystem::exists(game / ".dklauncher" / "launcher.log")) << "no finding, no line";

  report.findings = {"no graphics card: Microsoft Basic Render Driver", "Intel HD: integrated graphics"};
  LogGraphicsFindings(game.path(), report);
  const std::string log = ReadFile(game / ".dklauncher" / "launcher.log");
  const std::size_t first = log.find(" v2.0.1 gpu: no graphics card: Microsoft Basic Render Driver\n");
  const std::size_t second = log.find(" v2.0.1 gpu: Intel HD: integrated graphics\n");
  ASSERT_NE(first, std::string::npos) << log;
  ASSERT_NE(second, std::string::npos) << log;
  EXPECT_LT(first, second);
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
}

}  // namespace
}  // namespace dkl
