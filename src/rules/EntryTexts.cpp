#include "rules/EntryTexts.h"

#include <algorithm>

namespace varkam {

std::string CaptionFor(std::string_view headword) {
  return std::string(headword) + "  (Varkam)";
}

void TitleScroller::Restart(std::string_view headword) {
  text_ = std::string(headword) + "   -Varkam-   ";
}

std::string TitleScroller::Tick() {
  std::string title = text_.substr(0, std::min(text_.size(), TitleLength));
  if (!text_.empty()) {
    std::rotate(text_.begin(), text_.begin() + 1, text_.end());
  }
  return title;
}

}  // namespace varkam
