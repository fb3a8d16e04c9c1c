#pragma once

// The markup of StarDict meanings (HTML, XDXF, Pango) as plain text.

#include <string>
#include <string_view>

namespace varkam::tools {

// Tags go, whatever their letter case, and the line-breaking ones (<br>, </p>, </div>, </k>)
// become line breaks; comments go; HTML's named and numbered character references are
// decoded. A "<" that begins no tag, or has no ">" after it, stays as text. Where text would be
// lost, `problem` says what: text between a stray "<" and ">" that is no tag known to markup,
// a character reference that names no character.
std::string MarkupToText(std::string_view markup, std::string& problem);

// The character that one of HTML's named references stands for ("laquo" gives U+00AB); 0 for
// a name it does not know. Names are case-sensitive.
char32_t NamedCharacter(std::string_view name);

}  // namespace varkam::tools
