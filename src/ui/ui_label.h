// A text the window shows on a widget or as a value: an entry of the text table in the current
// language, or a literal that is the same in both languages.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "ui/ui_text.h"

namespace dkl {

// The literal is UTF-8 ("EN", "Discord", "1024 × 768", …). Both empty: nothing.
struct UiLabel {
  std::optional<UiString> text;
  std::string literal;

  bool operator==(const UiLabel&) const = default;
};

inline UiLabel TextLabel(UiString id) { return {id, {}}; }
inline UiLabel LiteralLabel(std::string text) { return {std::nullopt, std::move(text)}; }

}  // namespace dkl
