#pragma once

// The texts an entry shows besides its meaning, and the title scroller that runs the headword
// through the application's title on the taskbar.

#include <cstddef>
#include <string>
#include <string_view>

namespace varkam {

// The window caption for a headword: "apple  (Varkam)".
std::string CaptionFor(std::string_view headword);

// Rotates "headword   -Varkam-   " one character a tick and shows its first 15 characters.
class TitleScroller {
 public:
  static constexpr std::size_t TitleLength = 15;

  // A new entry restarts the marquee at its headword's first letter.
  void Restart(std::string_view headword);

  const std::string& Text() const { return text_; }

  // The title for this tick; the text then moves on by one character.
  std::string Tick();

 private:
  std::string text_;
};

}  // namespace varkam
