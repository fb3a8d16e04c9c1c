#include "persian/PersianDecode.h"

namespace varkam::persian {

char16_t PersianCodeUnit(std::uint8_t byte) {
  switch (byte) {
    case '(': return u')';
    case ')': return u'(';
    case '[': return u']';
    case ']': return u'[';
    case '{': return u'}';
    case '}': return u'{';
    default: break;
  }
  if (byte >= 0x80 && byte <= 0xAF) {
    return PersianLowTable[byte - 0x80];
  }
  if (byte >= 0xE0 && byte <= 0xFE) {
    return PersianHighTable[byte - 0xE0];
  }
  // Control bytes, ASCII, the box-drawing bytes 0xB0-0xDF and 0xFF keep their number.
  return static_cast<char16_t>(byte);
}

std::u16string DecodePersianByte(std::uint8_t current, std::uint8_t following) {
  std::u16string result(1, PersianCodeUnit(current));
  if (IsBracket(current) || (current >= 0x20 && current <= 0x7F)) {
    return result;
  }
  if (current == LamAlefByte) {
    result += u'\u0627';
  }
  // Unicode shaping would join a word-final form to the letter after it; the stored form
  // marks the word boundary, so a space keeps it.
  if (IsFinalFormByte(current) && !IsBlankByte(following) && !IsNeutralByte(following) &&
      !IsBracket(following)) {
    result += u' ';
  }
  return result;
}

std::u16string PersianToUnicode(std::string_view text) {
  std::u16string result;
  if (text.size() < 2) {
    return result;
  }
  result.reserve(text.size() * 2);
  std::size_t neutralRun = 0;  // neutral characters placed so far in the current run
  for (std::size_t i = text.size() - 1; i >= 1; --i) {
    const auto current = static_cast<std::uint8_t>(text[i]);
    const auto following = static_cast<std::uint8_t>(text[i - 1]);
    if (IsNeutralByte(current)) {
      // Each further byte of a neutral run goes in front of the run's bytes already placed,
      // so the run keeps its stored left-to-right order.
      result.insert(result.size() - neutralRun, DecodePersianByte(current, following));
      ++neutralRun;
    } else {
      result += DecodePersianByte(current, following);
      neutralRun = 0;
    }
  }
  return result;
}

}  // namespace varkam::persian
