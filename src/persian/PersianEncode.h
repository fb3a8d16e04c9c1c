#pragma once

// Unicode text in reading order to the meanings' stored form: the Persian code page, visual
// order, each letter in the glyph form its neighbours give it. The exact inverse of
// PersianToUnicode: PersianToUnicode(UnicodeToPersian(t)) == CanonicalPersian(t).

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varkam::persian {

// The longest stored meaning, pad byte included.
inline constexpr std::size_t MaxStoredLength = 255;

// A text the stored form cannot hold: a character without a byte, or a result over 255 bytes.
class PersianEncodeError : public std::runtime_error {
 public:
  PersianEncodeError(const std::string& what, std::size_t position)
      : std::runtime_error(what), position_(position) {}
  // Where in the text (counting UTF-16 code units from 0) the fault lies.
  std::size_t Position() const { return position_; }

 private:
  std::size_t position_;
};

// The stored bytes for `text`: a leading pad byte (never shown), then the text in visual order.
// The empty text gives no bytes. Throws PersianEncodeError.
std::string UnicodeToPersian(std::u16string_view text);

// What PersianToUnicode shows for the stored form of `text`: the letters folded as the code
// page folds them (one kaf, one heh, alef for alef with hamza, ASCII digits, yeh as U+064A
// where it joins the next letter or stands before hamza, U+0649 elsewhere), marks and
// zero-width joiners dropped, a zero-width non-joiner and a no-break space as a space, and a
// space after a word-final form that meets a right-to-left character that is not a letter it
// joins. Before a comma, a question mark or hamza a letter takes its joining form instead of
// its final one, so no space comes between them, except yeh before a comma or a question
// mark. Throws like UnicodeToPersian for a character without a byte.
std::u16string CanonicalPersian(std::u16string_view text);

}  // namespace varkam::persian
