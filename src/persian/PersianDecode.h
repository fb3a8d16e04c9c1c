#pragma once

// The meanings' code page (Iran System byte layout, visual order) to UTF-16 in reading order.
// These tables, not any other mapping of the code page, decide what a byte means.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace varkam::persian {

// Bytes 0x80-0xAF: ASCII digits, then Arabic punctuation and letters.
// clang-format off
inline constexpr std::array<char16_t, 48> PersianLowTable = {
    u'\u0030', u'\u0031', u'\u0032', u'\u0033', u'\u0034', u'\u0035',  // 0x80 digits
    u'\u0036', u'\u0037', u'\u0038', u'\u0039',                          //
    u'\u060C', u'\u0640', u'\u061F',                                     // 0x8A comma, tatweel, ?
    u'\u0622', u'\u0626', u'\u0621',                                     // 0x8D alef madda, yeh hamza, hamza
    u'\u0627', u'\u0627',                                                // 0x90 alef
    u'\u0628', u'\u0628', u'\u067E', u'\u067E', u'\u062A', u'\u062A',    // 0x92 beh, peh, teh
    u'\u062B', u'\u062B', u'\u062C', u'\u062C', u'\u0686', u'\u0686',    // 0x98 theh, jeem, tcheh
    u'\u062D', u'\u062D', u'\u062E', u'\u062E',                          // 0x9E hah, khah
    u'\u062F', u'\u0630', u'\u0631', u'\u0632', u'\u0698',               // 0xA2 dal .. jeh
    u'\u0633', u'\u0633', u'\u0634', u'\u0634',                          // 0xA7 seen, sheen
    u'\u0635', u'\u0635', u'\u0636', u'\u0636',                          // 0xAB sad, dad
    u'\u0637',                                                           // 0xAF tah
};

// Bytes 0xE0-0xFE: the letters from zah on.
inline constexpr std::array<char16_t, 31> PersianHighTable = {
    u'\u0638',                                                           // 0xE0 zah
    u'\u0639', u'\u0639', u'\u0639', u'\u0639',                          // 0xE1 ain
    u'\u063A', u'\u063A', u'\u063A', u'\u063A',                          // 0xE5 ghain
    u'\u0641', u'\u0641', u'\u0642', u'\u0642',                          // 0xE9 feh, qaf
    u'\u06A9', u'\u06A9', u'\u06AF', u'\u06AF',                          // 0xED keheh, gaf
    u'\u0644', u'\u0644', u'\u0644',                                     // 0xF1 lam, lam-alef, lam
    u'\u0645', u'\u0645', u'\u0646', u'\u0646',                          // 0xF4 meem, noon
    u'\u0648',                                                           // 0xF8 waw
    u'\u0647', u'\u0647', u'\u0647',                                     // 0xF9 heh
    u'\u0649', u'\u0649', u'\u064A',                                     // 0xFC yeh
};

// As the byte after a final form in reading order, these stop the added word-boundary space.
// clang-format on

inline constexpr std::array<std::uint8_t, 7> BlankBytes = {0x00, 0x08, 0x09, 0x0A,
                                                           0x0D, 0x1B, 0x20};

// The isolated and final forms of the letters that join on both sides: such a form ends a word.
inline constexpr std::array<std::uint8_t, 26> FinalFormBytes = {
    0x92, 0x94, 0x96, 0x98, 0x9A, 0x9C, 0x9E, 0xA0, 0xA7, 0xA9, 0xAB, 0xAD, 0xE1,
    0xE2, 0xE5, 0xE6, 0xE9, 0xEB, 0xED, 0xEF, 0xF1, 0xF4, 0xF6, 0xF9, 0xFC, 0xFD};

inline constexpr std::uint8_t LamAlefByte = 0xF2;

// 0x20-0x89: ASCII and the digit bytes; a run of them keeps its stored left-to-right order.
constexpr bool IsNeutralByte(std::uint8_t byte) {
  return byte >= 0x20 && byte <= 0x89;
}

// "()[]{}", shown mirrored since the stored text runs the other way.
constexpr bool IsBracket(std::uint8_t byte) {
  return byte == '(' || byte == ')' || byte == '[' || byte == ']' || byte == '{' || byte == '}';
}

constexpr bool IsBlankByte(std::uint8_t byte) {
  for (const std::uint8_t blank : BlankBytes) {
    if (blank == byte) {
      return true;
    }
  }
  return false;
}

constexpr bool IsFinalFormByte(std::uint8_t byte) {
  for (const std::uint8_t form : FinalFormBytes) {
    if (form == byte) {
      return true;
    }
  }
  return false;
}

// The one code unit a byte stands for (brackets mirrored; 0xF2 gives the lam of lam-alef).
char16_t PersianCodeUnit(std::uint8_t byte);

// One stored byte in reading order: `following` is the byte read next, the one stored just
// before `current`. One or two code units: lam-alef gives lam then alef, and a final form that
// meets another right-to-left character is followed by a space.
std::u16string DecodePersianByte(std::uint8_t current, std::uint8_t following);

// A stored meaning to UTF-16 in reading order. The first stored byte is never shown; it serves
// only as the look-ahead of the second. Texts of 0 or 1 bytes give the empty string.
std::u16string PersianToUnicode(std::string_view text);

}  // namespace varkam::persian
