#include <algorithm>
#include <string>

#include "base/text_win.h"
#include "ui/frame_parts_win.h"
#include "ui/paint_widget_win.h"

namespace dkl {
namespace {

constexpr RectF kPanel{0, 488, 960, 112};
constexpr RectF kTrack{22, 534, 680, 14};
constexpr float kFillLeft = 24;
constexpr float kFillTop = 536;
constexpr float kFillHeight = 10;

std::wstring LineText(const Canvas& canvas, const WindowView& view) {
  const StatusLine& line = view.status.line;
  switch (line.source) {
    case StatusLine::Source::Override: return view.status_override;
    case StatusLine::Source::Notice: return view.notice;
    case StatusLine::Source::Text: return std::wstring(canvas.Text(line.text));
    case StatusLine::Source::StatusMessage: return std::wstring(MessageForStatus(canvas.english(), line.status));
    case StatusLine::Source::Empty: break;
  }
  return {};
}

std::wstring DetailText(const Canvas& canvas, const WindowView& view) {
  const DetailLine& detail = view.status.detail;
  switch (detail.source) {
    case DetailLine::Source::FileCount:
      return FormatText(canvas.Text(UiString::FilesProgress),
                        {static_cast<unsigned>(detail.done), static_cast<unsigned>(detail.total)});
    case DetailLine::Source::CurrentItem: return view.current_item;
    case DetailLine::Source::AllFilesVerified: return std::wstring(canvas.Text(UiString::AllFilesVerified));
    case DetailLine::Source::Empty: break;
  }
  return {};
}

// Metal like the Play button once the game is ready; otherwise ember, ending in gold at its leading edge.
void DrawProgressFill(Canvas& canvas, const ProgressFill& fill) {
  const RectF bar{kFillLeft, kFillTop, fill.width, kFillHeight};
  switch (fill.look) {
    case ProgressFill::Look::Metal:
      canvas.FillGradient(bar, GradientDirection::Vertical, 0xFFFFFFFF, 0xFFA6AAB2);
      break;
    case ProgressFill::Look::Ember:
      canvas.Fill(
          bar,
          canvas
              .BlendBrush({kFillLeft, kFillTop, std::max(1.0f, fill.width), kFillHeight}, GradientDirection::Horizontal,
                          {{0xFF5A1210, 0}, {Palette::Ember, 0.35f}, {0xFFD8642C, 0.8f}, {Palette::Gold, 1}})
              .get());
      break;
    case ProgressFill::Look::None: break;
  }
}

}  // namespace

void PaintStatusPanel(Canvas& canvas, const WindowView& view, const std::vector<HitRegion>& regions) {
  const StatusPanel& status = view.status;
  canvas.FillGradient(kPanel, GradientDirection::Vertical, 0x66060609, 0xEB060609);
  canvas.StrokeLine(0, kPanel.y + 0.5f, kPanel.width, kPanel.y + 0.5f, Palette::Hairline, 1);
  canvas.DrawLabel(LineText(canvas, view), canvas.Ui(17, FontStyle::Bold),
                   status.failed ? Palette::Alert : Palette::Soft, {22, 504, 620, 22}, TextAlign::Near, TextAlign::Near,
                   true);
  canvas.DrawLabel(Utf8ToWide(status.percent_text), canvas.Display(17), Palette::Bright, {642, 504, 60, 22},
                   TextAlign::Far, TextAlign::Near, true);
  canvas.Fill(kTrack, 0xFF050507);
  canvas.StrokeRect({kTrack.x + 0.5f, kTrack.y + 0.5f, kTrack.width - 1, kTrack.height - 1}, 0x73C9CCD2, 1);
  DrawProgressFill(canvas, status.fill);
  const GdipFont small = canvas.Ui(15, FontStyle::Regular);
  canvas.DrawLabel(DetailText(canvas, view), small, Palette::Dim, {22, 556, 480, 20}, TextAlign::Near, TextAlign::Near,
                   true);
  canvas.DrawLabel(Utf8ToWide(status.transfer_text), small, Palette::Dim, {502, 556, 200, 20}, TextAlign::Far,
                   TextAlign::Near, true);
  DrawWidgets(canvas, regions, {ActionId::Play});
}

}  // namespace dkl
