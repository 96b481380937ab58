#include "ui/window_commands.h"

#include <gtest/gtest.h>

namespace dkl {
namespace {

HitRegion Clicked(ActionId id) {
  HitRegion region;
  region.id = id;
  region.enabled = true;
  return region;
}

Command Of(CommandKind kind) { return Command{kind, false, 0}; }

TEST(CommandFor, EachRegionLeadsToItsCommand) {
  const CommandContext main_page{Page::Main, false, false, false};
  const struct {
    ActionId id;
    Command expected;
  } cases[] = {
      {ActionId::English, Command{CommandKind::SetLanguage, true, 0}},
      {ActionId::SettingsPage, Of(CommandKind::OpenSettings)},
      {ActionId::Minimize, Of(CommandKind::Minimize)},
      {ActionId::Close, Of(CommandKind::Close)},
      {ActionId::NewsFeatured, Command{CommandKind::OpenNewsItem, false, 0}},
      {ActionId::NewsSecond, Command{CommandKind::OpenNewsItem, false, 1}},
      {ActionId::NewsThird, Command{CommandKind::OpenNewsItem, false, 2}},
      {ActionId::VerifyFiles, Of(CommandKind::VerifyFiles)},
      {ActionId::Website, Of(CommandKind::OpenWebsite)},
      {ActionId::Discord, Of(CommandKind::OpenCommunity)},
      {ActionId::Play, Of(CommandKind::LaunchGame)},
      {ActionId::ApplyAdvice, Of(CommandKind::ApplyAdvice)},
      {ActionId::DismissAdvice, Of(CommandKind::DismissAdvice)},
      {ActionId::Browse, Of(CommandKind::BrowseFolder)},
      {ActionId::ModeCycler, Of(CommandKind::EditDisplay)},
      {ActionId::ResolutionCycler, Of(CommandKind::EditDisplay)},
      {ActionId::AspectCycler, Of(CommandKind::EditDisplay)},
      {ActionId::FpsCycler, Of(CommandKind::EditDisplay)},
      {ActionId::VSync, Of(CommandKind::EditDisplay)},
      {ActionId::CaptureMouse, Of(CommandKind::EditDisplay)},
      {ActionId::AmbientLighting, Of(CommandKind::EditDisplay)},
      {ActionId::BodyAuras, Of(CommandKind::EditDisplay)},
      {ActionId::DetailCycler, Of(CommandKind::EditDisplay)},
      {ActionId::Back, Of(CommandKind::ShowMain)},
      {ActionId::Save, Of(CommandKind::Save)},
      {ActionId::None, Of(CommandKind::Nothing)},
      {static_cast<ActionId>(27), Of(CommandKind::Nothing)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CommandFor(Clicked(c.id), main_page), c.expected) << static_cast<int>(c.id);
  }
}

TEST(CommandFor, DependsOnTheWindowsState) {
  const struct {
    const char* name;
    ActionId id;
    CommandContext context;
    CommandKind expected;
  } cases[] = {
      {"pill of the current language", ActionId::Spanish, {Page::Main, false, false, false}, CommandKind::Nothing},
      {"pill of the other language", ActionId::Spanish, {Page::Main, true, false, false}, CommandKind::SetLanguage},
      {"English pill in English", ActionId::English, {Page::Main, true, false, false}, CommandKind::Nothing},
      {"gear on the settings page", ActionId::SettingsPage, {Page::Settings, false, false, false},
       CommandKind::ShowMain},
      {"verify during a run", ActionId::VerifyFiles, {Page::Main, false, true, false}, CommandKind::Nothing},
      {"big button after a failure", ActionId::Play, {Page::Main, false, false, true}, CommandKind::Retry},
  };
  for (const auto& c : cases) EXPECT_EQ(CommandFor(Clicked(c.id), c.context).kind, c.expected) << c.name;
}

}  // namespace
}  // namespace dkl
