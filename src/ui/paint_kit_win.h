// The drawing kit every part of the frame is painted with: the palette, a canvas that creates each
// brush, pen and format for one element and deletes it after, the text routine, cards and headings.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "ui/font_set_win.h"
#include "ui/frame_regions.h"
#include "ui/gdiplus_objects_win.h"
#include "ui/hit_region.h"
#include "ui/ui_label.h"

namespace dkl {

using Argb = std::uint32_t;  // alpha in the top byte

// The colours shared by several elements; colours used in one place only are written there.
struct Palette {
  static constexpr Argb Gold = 0xFFF2C45A;
  static constexpr Argb Silver = 0xFFC9CCD1;
  static constexpr Argb Bright = 0xFFF4F5F7;
  static constexpr Argb Muted = 0xFFB7BAC2;
  static constexpr Argb Ember = 0xFFB8322B;
  static constexpr Argb Hairline = 0x24D2D6DE;
  static constexpr Argb Parchment = 0xFFC9C3B6;
  static constexpr Argb Alert = 0xFFEC8A7F;
  static constexpr Argb Dim = 0xFF8E929B;
  static constexpr Argb Green = 0xFF5CCF6B;
  static constexpr Argb Night = 0xFF060609;
  static constexpr Argb Soft = 0xFFE3E5EA;
  static constexpr Argb Slate = 0xFF6C7077;
};

// GDI+'s string alignments.
enum class TextAlign : int { Near = 0, Center = 1, Far = 2 };

enum class GradientDirection { Horizontal, Vertical };

struct GradientStop {
  Argb color;
  float position;  // 0 to 1 across the gradient's rectangle
};

// One paint's drawing surface with what every element needs to know: the fonts, the language and the
// region under the pointer. Every GDI+ failure is counted and otherwise ignored, so that painting never
// stops on an error; a missing font only leaves its text out.
class Canvas {
 public:
  Canvas(Gdiplus::GpGraphics* graphics, const FontSet* fonts, bool english, ActionId hover);

  Gdiplus::GpGraphics* graphics() const { return graphics_; }
  bool english() const { return english_; }
  ActionId hover() const { return hover_; }
  int failed_calls() const { return failed_calls_; }

  void Check(Gdiplus::GpStatus status);

  std::wstring_view Text(UiString id) const { return TextFor(english_, id); }
  std::wstring LabelText(const UiLabel& label) const;

  GdipFont Display(float size) const;
  GdipFont Ui(float size, FontStyle style) const;
  GdipFont Script(float size) const;

  GdipBrush SolidBrush(Argb color);
  GdipBrush GradientBrush(const RectF& over, GradientDirection direction, Argb from, Argb to);
  // A gradient through `stops`, the first at position 0 and the last at 1.
  GdipBrush BlendBrush(const RectF& over, GradientDirection direction, std::initializer_list<GradientStop> stops);
  GdipPen Pen(Argb color, float width);
  GdipStringFormat Format(int flags, TextAlign horizontal, TextAlign vertical, Gdiplus::StringTrimming trimming);

  void Fill(const RectF& r, Argb color);
  void Fill(const RectF& r, Gdiplus::GpBrush* brush);
  void FillEllipse(const RectF& r, Argb color);
  // A gradient laid over the filled rectangle itself.
  void FillGradient(const RectF& r, GradientDirection direction, Argb from, Argb to);
  void StrokeRect(const RectF& r, Argb color, float width);
  void StrokeRect(const RectF& r, Gdiplus::GpPen* pen);
  void StrokeLine(float x1, float y1, float x2, float y2, Argb color, float width);
  void StrokeLine(float x1, float y1, float x2, float y2, Gdiplus::GpPen* pen);
  void StrokeEllipse(const RectF& r, Gdiplus::GpPen* pen);

  // One line of text: no wrapping, the two alignments, and ellipsis-character trimming when asked.
  void DrawLabel(std::wstring_view text, const GdipFont& font, Argb color, const RectF& r, TextAlign horizontal,
                 TextAlign vertical, bool ellipsis);
  void DrawString(std::wstring_view text, const GdipFont& font, Gdiplus::GpBrush* brush, const RectF& r,
                  Gdiplus::GpStringFormat* format);
  // The bounding box GDI+ measures for the text laid out in `r`; a null format is the default one.
  RectF Measure(std::wstring_view text, const GdipFont& font, const RectF& r, Gdiplus::GpStringFormat* format);

 private:
  Gdiplus::GpGraphics* graphics_;
  const FontSet* fonts_;
  bool english_;
  ActionId hover_;
  int failed_calls_ = 0;
};

// A dark card with a hairline border; with glow, a faint ember glow rises from its lower right.
void DrawCardPanel(Canvas& canvas, const RectF& r, bool glow);

// A heading in the display face with a hairline fading out to its right.
void DrawSectionHeading(Canvas& canvas, std::wstring_view text, float x, float y, float width);

}  // namespace dkl
