#pragma once

// The dictionary's source text: UTF-8, one entry a line, "headword<TAB>meaning". In the
// meaning "\n" is a line break, "\t" a tab and "\\" a backslash. Blank lines and lines that
// begin with "#" are skipped; a headword that begins with "#" is written after a space.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varkam::tools {

// What is wrong with one line or entry of a source; the caller adds where it stands.
class BadEntry : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SourceEntry {
  std::string headword;    // printable ASCII, trimmed, 1 to 32 characters
  std::u16string meaning;  // reading order; a line break is CR LF
};

// The headword as stored: surrounding spaces trimmed, printable ASCII, 1 to 32 characters.
std::string CheckedHeadword(std::string_view headword);

// One line without its line break; nothing for a blank or comment line. Throws BadEntry.
std::optional<SourceEntry> ParseTextLine(std::string_view line);

// One line of the source text for a headword (code page 1252) and a shown meaning.
std::string FormatTextLine(std::string_view headword, std::u16string_view meaning);

// UTF-8 text with CR, LF, TAB and backslash written as \r, \n, \t and \\, and the other control
// characters (C0, DEL and C1, U+0080-U+009F) as \xNN, for one line of output that no terminal
// takes as a command.
std::string EscapeControls(std::string_view text);

// Text for a message to a person: every control character (C0, DEL, C1) and every byte that is
// not UTF-8 written as \xNN, and the rest as it is, backslashes too (a Windows path reads as
// the user typed it). A NUL in the text is written, never the end of the message.
std::string MessageText(std::string_view text);

}  // namespace varkam::tools
