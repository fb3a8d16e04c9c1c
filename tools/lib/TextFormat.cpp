#include "lib/TextFormat.h"

#include <cstdio>
#include <optional>

#include "UnitDitionary.h"
#include "lib/Utf8.h"

namespace varkam::tools {

namespace {

std::string CodePoint(char32_t code) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
  return name;
}

int HexDigit(char32_t c) {
  if (c >= '0' && c <= '9') {
    return static_cast<int>(c - '0');
  }
  if (c >= 'A' && c <= 'F') {
    return static_cast<int>(c - 'A' + 10);
  }
  if (c >= 'a' && c <= 'f') {
    return static_cast<int>(c - 'a' + 10);
  }
  return -1;
}

bool IsControlCode(char32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// The C1 control character that the two UTF-8 bytes at the start of `text` are, if any.
std::optional<unsigned char> C1ControlAt(std::string_view text) {
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xC2 &&
      static_cast<unsigned char>(text[1]) >= 0x80 && static_cast<unsigned char>(text[1]) <= 0x9F) {
    return static_cast<unsigned char>(text[1]);
  }
  return std::nullopt;
}

// How many bytes the UTF-8 character at the start of `text` takes; 0 when it is not UTF-8.
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return length <= text.size() && Utf8ToUtf16(text.substr(0, length)) ? length : 0;
}

// A control character written as "\xNN", as vqdump writes one from a corrupt dictionary, at
// the start of `text`.
template <typename Text>
std::optional<unsigned char> EscapedControl(Text text) {
  if (text.size() < 4 || text[0] != '\\' || text[1] != 'x') {
    return std::nullopt;
  }
  const int high = HexDigit(text[2]);
  const int low = HexDigit(text[3]);
  const int code = high * 16 + low;
  if (high < 0 || low < 0 || !IsControlCode(static_cast<char32_t>(code))) {
    return std::nullopt;
  }
  return static_cast<unsigned char>(code);
}

bool IsControl(unsigned char c) {
  return c < 0x20 || c == 0x7F;
}

void AppendEscapedControl(std::string& out, unsigned char c) {
  constexpr char digits[] = "0123456789ABCDEF";
  out += "\\x";
  out += digits[c >> 4];
  out += digits[c & 0x0F];
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
      case u'x':
        // A tab and a line break have escapes of their own, which keep one form a meaning.
        if (const auto code = EscapedControl(meaning.substr(i - 1));
            code && *code != '\t' && *code != '\n' && *code != '\r') {
          out += static_cast<char16_t>(*code);  // the encoder says it has no byte
          i += 2;
          break;
        }
        [[fallthrough]];
      default:
        throw BadEntry("unknown escape \\" + MessageText(Utf16ToUtf8(meaning.substr(i, 1))) +
                       " at character " + std::to_string(i) + " of the meaning");
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
      throw BadEntry("the headword \"" + MessageText(headword) + "\" has " + CodePoint(code) +
                     " at character " + std::to_string(i + 1) + "; headwords are printable ASCII");
    }
  }
  if (headword.size() > MaxWordLength) {
    throw BadEntry("the headword \"" + MessageText(headword) + "\" is " +
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
  // Control characters that vqdump wrote escaped come back, and are then refused by name.
  std::string headword;
  for (std::size_t i = 0; i < tab; ++i) {
    if (const auto code = EscapedControl(line.substr(i, tab - i))) {
      headword += static_cast<char>(*code);
      i += 3;
    } else {
      headword += line[i];
    }
  }
  SourceEntry entry;
  entry.headword = CheckedHeadword(headword);
  entry.meaning = Unescaped(*Utf8ToUtf16(line.substr(tab + 1)));
  return entry;
}

std::string FormatTextLine(std::string_view headword, std::u16string_view meaning) {
  // A corrupt dictionary's control characters (among them the C1 controls that the five bytes
  // code page 1252 leaves unassigned stand for) are written escaped, so the line stays one line
  // and reads back to an error that names them.
  std::string line = MessageText(Windows1252ToUtf8(headword));
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
    } else if (IsControlCode(c)) {
      std::string control;
      AppendEscapedControl(control, static_cast<unsigned char>(c));
      escaped.append(control.begin(), control.end());
    } else {
      escaped += c;
    }
  }
  return line + Utf16ToUtf8(escaped);
}

std::string EscapeControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (const auto c1 = C1ControlAt(text.substr(i))) {
      AppendEscapedControl(out, *c1);
      ++i;
      continue;
    }
    switch (c) {
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\\': out += "\\\\"; break;
      default:
        if (IsControl(static_cast<unsigned char>(c))) {
          AppendEscapedControl(out, static_cast<unsigned char>(c));
        } else {
          out += c;
        }
    }
  }
  return out;
}

std::string MessageText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (const auto c1 = C1ControlAt(text.substr(i))) {
      AppendEscapedControl(out, *c1);
      i += 2;
    } else if (byte < 0x80) {
      if (IsControl(byte)) {
        AppendEscapedControl(out, byte);
      } else {
        out += static_cast<char>(byte);
      }
      ++i;
    } else if (const std::size_t whole = Utf8SequenceLength(text.substr(i)); whole > 0) {
      out.append(text.substr(i, whole));
      i += whole;
    } else {
      AppendEscapedControl(out, byte);  // not UTF-8: the byte's number
      ++i;
    }
  }
  return out;
}

}  // namespace varkam::tools
