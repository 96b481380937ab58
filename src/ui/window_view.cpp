#include "ui/window_view.h"

namespace dkl {

FrameInput FrameInputFor(const WindowView& view) {
  FrameInput input;
  input.page = view.page;
  input.english = view.english;
  input.busy = view.busy;
  input.advice_visible = view.advice_visible;
  input.news = view.news;
  input.status = view.status;
  input.display = view.display;
  return input;
}

}  // namespace dkl
