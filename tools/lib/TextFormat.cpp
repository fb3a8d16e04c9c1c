#include "lib/TextFormat.h"

#include <cstdio>

#include "UnitDitionary.h"
#include "lib/Utf8.h"

namespace varkam::tools {

namespace {

std::string CodePoint(char32_t code) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
  return name;
}

// The meaning's escapes undone; raw control characters are refused, since a line break or a
// tab in the source would be invisible or split the entry.
std::u16string Unescaped(std::u16string_view meaning) {
  std::u16string out;
  out.reserve(meaning.size());
  for (std::size_t i = 0; i < meaning.size(); ++i) {
    const char16_t c = meaning[i];
    if (c == u'\t') {
      throw BadEntry("a second tab in the line; write a tab in the meaning as \\t");
    }
    if (c < 0x20 || c == 0x7F) {
      throw BadEntry("control character " + CodePoint(c) + " at character " +
                     std::to_string(i + 1) + " of the meaning");
    }
    if (c != u'\\') {
      out += c;
      continue;
    }
    if (i + 1 == meaning.size()) {
      throw BadEntry("the meaning ends in a lone backslash; write a backslash as \\\\");
    }
    switch (meaning[++i]) {
      case u'n': out += u"\r\n"; break;
      case u't': out += u'\t'; break;
      case u'\\': out += u'\\'; break;
      default:
        throw BadEntry("unknown escape \\" + Utf16ToUtf8(meaning.substr(i, 1)) + " at character " +
                       std::to_string(i) + " of the meaning");
    }
  }
  return out;
}

}  // namespace

std::string CheckedHeadword(std::string_view headword) {
  const std::size_t first = headword.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    throw BadEntry("the headword is empty");
  }
  headword = headword.substr(first, headword.find_last_not_of(' ') - first + 1);
  for (std::size_t i = 0; i < headword.size(); ++i) {
    const auto byte = static_cast<unsigned char>(headword[i]);
    if (byte < 0x20 || byte > 0x7E) {
      std::size_t bad = 0;
      const auto wide = Utf8ToUtf16(headword.substr(i), &bad);
      const char32_t code = wide && !wide->empty() ? (*wide)[0] : byte;
      throw BadEntry("the headword \"" + std::string(headword) + "\" has " + CodePoint(code) +
                     " at character " + std::to_string(i + 1) + "; headwords are printable ASCII");
    }
  }
  if (headword.size() > MaxWordLength) {
    throw BadEntry("the headword \"" + std::string(headword) + "\" is " +
                   std::to_string(headword.size()) + " characters long, more than " +
                   std::to_string(MaxWordLength));
  }
  return std::string(headword);
}

std::optional<SourceEntry> ParseTextLine(std::string_view line) {
  if (line.find_first_not_of(" \t") == std::string_view::npos || line.front() == '#') {
    return std::nullopt;
  }
  std::size_t badByte = 0;
  if (!Utf8ToUtf16(line, &badByte)) {
    throw BadEntry("not UTF-8 at byte " + std::to_string(badByte + 1));
  }
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) {
    throw BadEntry("no tab between the headword and the meaning");
  }
  SourceEntry entry;
  entry.headword = CheckedHeadword(line.substr(0, tab));
  entry.meaning = Unescaped(*Utf8ToUtf16(line.substr(tab + 1)));
  return entry;
}

std::string FormatTextLine(std::string_view headword, std::u16string_view meaning) {
  std::string line = Windows1252ToUtf8(headword);
  if (!line.empty() && line.front() == '#') {
    line.insert(0, " ");  // headwords are trimmed, so the space keeps the line from a comment
  }
  line += '\t';
  std::u16string escaped;
  for (std::size_t i = 0; i < meaning.size(); ++i) {
    const char16_t c = meaning[i];
    if (c == u'\r' || c == u'\n') {
      // A line break, in whichever order its two characters come, or either one alone.
      const char16_t partner = c == u'\r' ? u'\n' : u'\r';
      if (i + 1 < meaning.size() && meaning[i + 1] == partner) {
        ++i;
      }
      escaped += u"\\n";
    } else if (c == u'\t') {
      escaped += u"\\t";
    } else if (c == u'\\') {
      escaped += u"\\\\";
    } else {
      escaped += c;
    }
  }
  return line + Utf16ToUtf8(escaped);
}

std::string EscapeControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\\': out += "\\\\"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
          constexpr char digits[] = "0123456789ABCDEF";
          out += "\\x";
          out += digits[static_cast<unsigned char>(c) >> 4];
          out += digits[c & 0x0F];
        } else {
          out += c;
        }
    }
  }
  return out;
}

}  // namespace varkam::tools
