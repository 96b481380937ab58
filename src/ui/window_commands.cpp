#include "ui/window_commands.h"

namespace dkl {
namespace {

Command Of(CommandKind kind) { return Command{kind, false, 0}; }

Command Language(bool english, const CommandContext& context) {
  if (english == context.english) return Of(CommandKind::Nothing);
  return Command{CommandKind::SetLanguage, english, 0};
}

Command News(std::size_t index) { return Command{CommandKind::OpenNewsItem, false, index}; }

}  // namespace

Command CommandFor(const HitRegion& clicked, const CommandContext& context) {
  switch (clicked.id) {
    case ActionId::Spanish: return Language(false, context);
    case ActionId::English: return Language(true, context);
    case ActionId::SettingsPage:
      return Of(context.page == Page::Settings ? CommandKind::ShowMain : CommandKind::OpenSettings);
    case ActionId::Minimize: return Of(CommandKind::Minimize);
    case ActionId::Close: return Of(CommandKind::Close);
    case ActionId::NewsFeatured: return News(0);
    case ActionId::NewsSecond: return News(1);
    case ActionId::NewsThird: return News(2);
    case ActionId::VerifyFiles: return Of(context.busy ? CommandKind::Nothing : CommandKind::VerifyFiles);
    case ActionId::Website: return Of(CommandKind::OpenWebsite);
    case ActionId::Discord: return Of(CommandKind::OpenCommunity);
    case ActionId::Play: return Of(context.retry_mode ? CommandKind::Retry : CommandKind::LaunchGame);
    case ActionId::ApplyAdvice: return Of(CommandKind::ApplyAdvice);
    case ActionId::DismissAdvice: return Of(CommandKind::DismissAdvice);
    case ActionId::Browse: return Of(CommandKind::BrowseFolder);
    case ActionId::ModeCycler:
    case ActionId::ResolutionCycler:
    case ActionId::AspectCycler:
    case ActionId::FpsCycler:
    case ActionId::VSync:
    case ActionId::CaptureMouse:
    case ActionId::AmbientLighting:
    case ActionId::BodyAuras:
    case ActionId::DetailCycler: return Of(CommandKind::EditDisplay);
    case ActionId::Back: return Of(CommandKind::ShowMain);
    case ActionId::Save: return Of(CommandKind::Save);
    default: return Of(CommandKind::Nothing);
  }
}

}  // namespace dkl
