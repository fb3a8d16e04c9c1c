#include "persian/PersianEncode.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "persian/PersianDecode.h"

namespace varkam::persian {

namespace {

// How a character joins its neighbours: a dual-joining letter on both sides, a right-joining
// one only to the letter before it; tatweel makes both neighbours join it.
enum class Joining { None, Right, Dual, Causing };

// A right-to-left character of the code page and its stored glyph forms.
struct Letter {
  char16_t code;
  Joining joining;
  std::uint8_t isolated, final, initial, medial;
};

// Lam followed by alef is one glyph in every context; this code stands for it while encoding.
constexpr char16_t LamAlef = u'\uFEFB';
constexpr char16_t Yeh = u'\u064A';
constexpr char16_t YehWithHamza = u'\u0626';
constexpr char16_t AlefMaksura = u'\u0649';

// clang-format off
constexpr Letter Letters[] = {
    {u'\u060C', Joining::None, 0x8A, 0x8A, 0x8A, 0x8A},   // Arabic comma
    {u'\u061F', Joining::None, 0x8C, 0x8C, 0x8C, 0x8C},   // Arabic question mark
    {u'\u0640', Joining::Causing, 0x8B, 0x8B, 0x8B, 0x8B},  // tatweel
    {u'\u0621', Joining::None, 0x8F, 0x8F, 0x8F, 0x8F},   // hamza
    {u'\u0622', Joining::Right, 0x8D, 0x8D, 0x8D, 0x8D},  // alef with madda
    {u'\u0626', Joining::Dual, 0xFD, 0xFC, 0x8E, 0x8E},   // yeh with hamza: plain yeh at a word end
    {u'\u0627', Joining::Right, 0x90, 0x91, 0x90, 0x91},  // alef
    {u'\u0628', Joining::Dual, 0x92, 0x92, 0x93, 0x93},   // beh
    {u'\u067E', Joining::Dual, 0x94, 0x94, 0x95, 0x95},   // peh
    {u'\u062A', Joining::Dual, 0x96, 0x96, 0x97, 0x97},   // teh
    {u'\u062B', Joining::Dual, 0x98, 0x98, 0x99, 0x99},   // theh
    {u'\u062C', Joining::Dual, 0x9A, 0x9A, 0x9B, 0x9B},   // jeem
    {u'\u0686', Joining::Dual, 0x9C, 0x9C, 0x9D, 0x9D},   // tcheh
    {u'\u062D', Joining::Dual, 0x9E, 0x9E, 0x9F, 0x9F},   // hah
    {u'\u062E', Joining::Dual, 0xA0, 0xA0, 0xA1, 0xA1},   // khah
    {u'\u062F', Joining::Right, 0xA2, 0xA2, 0xA2, 0xA2},  // dal
    {u'\u0630', Joining::Right, 0xA3, 0xA3, 0xA3, 0xA3},  // thal
    {u'\u0631', Joining::Right, 0xA4, 0xA4, 0xA4, 0xA4},  // reh
    {u'\u0632', Joining::Right, 0xA5, 0xA5, 0xA5, 0xA5},  // zain
    {u'\u0698', Joining::Right, 0xA6, 0xA6, 0xA6, 0xA6},  // jeh
    {u'\u0633', Joining::Dual, 0xA7, 0xA7, 0xA8, 0xA8},   // seen
    {u'\u0634', Joining::Dual, 0xA9, 0xA9, 0xAA, 0xAA},   // sheen
    {u'\u0635', Joining::Dual, 0xAB, 0xAB, 0xAC, 0xAC},   // sad
    {u'\u0636', Joining::Dual, 0xAD, 0xAD, 0xAE, 0xAE},   // dad
    {u'\u0637', Joining::Dual, 0xAF, 0xAF, 0xAF, 0xAF},   // tah
    {u'\u0638', Joining::Dual, 0xE0, 0xE0, 0xE0, 0xE0},   // zah
    {u'\u0639', Joining::Dual, 0xE1, 0xE2, 0xE4, 0xE3},   // ain
    {u'\u063A', Joining::Dual, 0xE5, 0xE6, 0xE8, 0xE7},   // ghain
    {u'\u0641', Joining::Dual, 0xE9, 0xE9, 0xEA, 0xEA},   // feh
    {u'\u0642', Joining::Dual, 0xEB, 0xEB, 0xEC, 0xEC},   // qaf
    {u'\u06A9', Joining::Dual, 0xED, 0xED, 0xEE, 0xEE},   // keheh
    {u'\u06AF', Joining::Dual, 0xEF, 0xEF, 0xF0, 0xF0},   // gaf
    {u'\u0644', Joining::Dual, 0xF1, 0xF1, 0xF3, 0xF3},   // lam
    {LamAlef, Joining::Right, 0xF2, 0xF2, 0xF2, 0xF2},    // lam-alef
    {u'\u0645', Joining::Dual, 0xF4, 0xF4, 0xF5, 0xF5},   // meem
    {u'\u0646', Joining::Dual, 0xF6, 0xF6, 0xF7, 0xF7},   // noon
    {u'\u0648', Joining::Right, 0xF8, 0xF8, 0xF8, 0xF8},  // waw
    {u'\u0647', Joining::Dual, 0xF9, 0xF9, 0xFB, 0xFA},   // heh
    {Yeh, Joining::Dual, 0xFD, 0xFC, 0xFE, 0xFE},         // yeh
};
// clang-format on

const Letter* FindLetter(char16_t code) {
  const auto found = std::find_if(std::begin(Letters), std::end(Letters),
                                  [code](const Letter& letter) { return letter.code == code; });
  return found == std::end(Letters) ? nullptr : &*found;
}

// Characters with no byte of their own that stand for one that has.
char16_t Fold(char16_t code) {
  switch (code) {
    case u'\u0643': return u'\u06A9';  // Arabic kaf is keheh
    case u'\u0629':                    // teh marbuta
    case u'\u06C0': return u'\u0647';  // heh with yeh above
    case u'\u0623':                    // alef with hamza above
    case u'\u0625': return u'\u0627';  // alef with hamza below
    case u'\u0624': return u'\u0648';  // waw with hamza
    case u'\u06CC':                    // Persian yeh
    case AlefMaksura: return Yeh;
    case u'\u200C':               // a zero-width non-joiner breaks the join like a space
    case u'\u00A0': return u' ';  // no-break space
    default: break;
  }
  if (code >= u'\u06F0' && code <= u'\u06F9') {
    return static_cast<char16_t>(u'0' + (code - u'\u06F0'));
  }
  if (code >= u'\u0660' && code <= u'\u0669') {
    return static_cast<char16_t>(u'0' + (code - u'\u0660'));
  }
  return code;
}

// Harakat, hamza above, superscript alef and the zero-width joiner have no byte and do not
// change the stored forms: the stored forms alone could not bring them back.
bool IsDropped(char16_t code) {
  return (code >= u'\u064B' && code <= u'\u0652') || code == u'\u0654' || code == u'\u0670' ||
         code == u'\u200D';
}

bool IsNeutral(char16_t code) {
  return code >= u' ' && code <= u'~';
}

// Right-to-left characters outside the letter table that keep their number.
bool IsKeptAsIs(char16_t code) {
  return code == u'\t' || code == u'\n' || code == u'\r' || (code >= 0xB0 && code <= 0xDF) ||
         code == 0xFF;
}

std::string CodePointName(std::u16string_view text, std::size_t position) {
  char32_t code = text[position];
  if (code >= 0xD800 && code <= 0xDBFF && position + 1 < text.size() &&
      text[position + 1] >= 0xDC00 && text[position + 1] <= 0xDFFF) {
    code = 0x10000 + ((code - 0xD800) << 10) + (text[position + 1] - 0xDC00);
  }
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
  return name;
}

struct Unit {
  char16_t code;
  std::size_t position;
  const Letter* letter;  // null for neutral and kept-as-is characters
};

// The text as the units that get bytes: dropped characters gone, the rest folded, lam-alef
// merged. Throws for a character the code page cannot hold.
std::vector<Unit> Units(std::u16string_view text) {
  std::vector<Unit> units;
  for (std::size_t position = 0; position < text.size(); ++position) {
    if (IsDropped(text[position])) {
      continue;
    }
    const char16_t code = Fold(text[position]);
    const Letter* letter = FindLetter(code);
    if (letter == nullptr && !IsNeutral(code) && !IsKeptAsIs(code)) {
      throw PersianEncodeError(CodePointName(text, position) + " at character " +
                                   std::to_string(position + 1) +
                                   " has no byte in the Persian code page",
                               position);
    }
    if (code == u'\u0627' && !units.empty() && units.back().code == u'\u0644') {
      units.back().code = LamAlef;
      units.back().letter = FindLetter(LamAlef);
      continue;
    }
    units.push_back({code, position, letter});
  }
  return units;
}

bool JoinsOnItsLeft(const Unit& unit) {
  return unit.letter != nullptr &&
         (unit.letter->joining == Joining::Dual || unit.letter->joining == Joining::Causing);
}

bool JoinsOnItsRight(const Unit& unit) {
  return unit.letter != nullptr && unit.letter->joining != Joining::None;
}

bool IsPunctuationMark(char16_t code) {
  return code == u'\u060C' || code == u'\u061F';
}

// A letter that joins on both sides, before a right-to-left character that joins neither side
// (the comma, the question mark, hamza): its final form would make the decoding show a space
// there, so it takes its joining form, which decodes to the same letter and which the text
// control draws in its final shape all the same. Yeh before a punctuation mark is the one
// exception: its joining form decodes to Arabic yeh, whose final shape has two dots, so it
// keeps its final form and the space the code page forces.
bool TakesJoiningFormBefore(const Unit& unit, const Unit& next) {
  if (unit.letter == nullptr || unit.letter->joining != Joining::Dual || next.letter == nullptr ||
      next.letter->joining != Joining::None) {
    return false;
  }
  const bool yeh = unit.code == Yeh || unit.code == YehWithHamza;
  return !(yeh && IsPunctuationMark(next.code));
}

// One stored byte with what the decoding shows for it.
struct Glyph {
  std::uint8_t byte;
  std::u16string shown;
  bool rightToLeft;
};

Glyph GlyphOf(const Unit& unit, bool joinsPrevious, bool joinsNext) {
  if (const Letter* letter = unit.letter) {
    const std::uint8_t byte = joinsPrevious ? (joinsNext ? letter->medial : letter->final)
                                            : (joinsNext ? letter->initial : letter->isolated);
    std::u16string shown(1, unit.code);
    if (unit.code == LamAlef) {
      shown = u"\u0644\u0627";
    } else if ((unit.code == Yeh || unit.code == YehWithHamza) && !joinsNext) {
      shown = std::u16string(1, AlefMaksura);  // the word-final forms of yeh
    }
    return {byte, shown, true};
  }
  const char16_t code = unit.code;
  if (code >= u'0' && code <= u'9') {
    return {static_cast<std::uint8_t>(0x80 + (code - u'0')), std::u16string(1, code), false};
  }
  if (IsNeutral(code)) {
    // The decoding mirrors brackets, so the stored byte is the mirror of the one shown.
    return {static_cast<std::uint8_t>(PersianCodeUnit(static_cast<std::uint8_t>(code))),
            std::u16string(1, code), false};
  }
  return {static_cast<std::uint8_t>(code), std::u16string(1, code), true};
}

// The glyphs in reading order, with a space after every word-final form that meets a
// right-to-left character: the decoding would show such a space anyway, and stating it keeps
// one stored form for one shown text.
std::vector<Glyph> Glyphs(std::u16string_view text) {
  const std::vector<Unit> units = Units(text);
  std::vector<Glyph> glyphs;
  glyphs.reserve(units.size() * 2);
  for (std::size_t i = 0; i < units.size(); ++i) {
    const bool joinsPrevious = i > 0 && JoinsOnItsLeft(units[i - 1]) && JoinsOnItsRight(units[i]);
    const bool joinsNext =
        i + 1 < units.size() && JoinsOnItsLeft(units[i]) && JoinsOnItsRight(units[i + 1]);
    const bool joiningForm =
        joinsNext || (i + 1 < units.size() && TakesJoiningFormBefore(units[i], units[i + 1]));
    Glyph glyph = GlyphOf(units[i], joinsPrevious, joiningForm);
    if (!glyphs.empty() && glyphs.back().rightToLeft && IsFinalFormByte(glyphs.back().byte) &&
        glyph.rightToLeft && !IsBlankByte(glyph.byte)) {
      glyphs.push_back(Glyph{0x20, u" ", false});
    }
    glyphs.push_back(std::move(glyph));
  }
  return glyphs;
}

}  // namespace

std::string UnicodeToPersian(std::u16string_view text) {
  // Every character that is kept takes a byte, lam and alef one between them: a text with
  // this many is over the limit however it is stored, and is not worked through.
  const auto kept = static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char16_t code) { return !IsDropped(code); }));
  if (kept >= 2 * MaxStoredLength) {
    throw PersianEncodeError("the meaning has " + std::to_string(kept) +
                                 " characters, more than the Persian code page's " +
                                 std::to_string(MaxStoredLength) + " bytes can hold",
                             0);
  }
  const std::vector<Glyph> glyphs = Glyphs(text);
  if (glyphs.empty()) {
    return {};
  }
  // Visual order: the pad byte, then the glyphs from the last to the first, except that each
  // run of neutral glyphs keeps its own left-to-right order.
  std::string stored(1, ' ');
  for (std::size_t end = glyphs.size(); end > 0;) {
    std::size_t start = end - 1;
    while (!glyphs[start].rightToLeft && start > 0 && !glyphs[start - 1].rightToLeft) {
      --start;
    }
    for (std::size_t i = start; i < end; ++i) {
      stored += static_cast<char>(glyphs[i].byte);
    }
    end = start;
  }
  if (stored.size() > MaxStoredLength) {
    throw PersianEncodeError("the meaning takes " + std::to_string(stored.size()) +
                                 " bytes in the Persian code page, more than " +
                                 std::to_string(MaxStoredLength),
                             0);
  }
  return stored;
}

std::u16string CanonicalPersian(std::u16string_view text) {
  std::u16string shown;
  for (const Glyph& glyph : Glyphs(text)) {
    shown += glyph.shown;
  }
  return shown;
}

}  // namespace varkam::persian
