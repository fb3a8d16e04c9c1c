#pragma once

// Conversions between the tools' UTF-8 text, the display text (UTF-16) and the headwords'
// single-byte code page 1252.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace varkam::tools {

// UTF-16 for valid UTF-8; nothing for invalid UTF-8, with the offset of the first bad byte.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text, std::size_t* badByte = nullptr);

// UTF-8 for UTF-16; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Single-byte code page 1252 to UTF-8; its five unassigned bytes keep their number.
std::string Windows1252ToUtf8(std::string_view bytes);

// How many bytes at the start of `text` are whole UTF-8 sequences: a character that a buffer's
// end cuts in two waits for the rest of it.
std::size_t WholeUtf8Length(std::string_view text);

// A-Z as a-z; every other byte as it is.
std::string AsciiLowercase(std::string text);

}  // namespace varkam::tools
