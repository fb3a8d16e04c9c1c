#include "lib/Markup.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "lib/Utf8.h"

namespace varkam::tools {

namespace {

// The elements of HTML, XDXF and Pango markup that dictionaries use, sorted. A name outside
// these between "<" and ">" is taken for text that happens to stand between the two.
constexpr std::string_view KnownTags[] = {
    "a",       "abbr",  "abr",        "acronym", "address", "ar",       "article", "aside",
    "b",       "big",   "blockquote", "body",    "br",      "c",        "caption", "categ",
    "center",  "cite",  "co",         "code",    "col",     "colgroup", "dd",      "def",
    "deftext", "del",   "dfn",        "div",     "dl",      "dt",       "dtrn",    "em",
    "etm",     "ex",    "font",       "footer",  "gr",      "h1",       "h2",      "h3",
    "h4",      "h5",    "h6",         "head",    "header",  "hr",       "html",    "i",
    "img",     "ins",   "iref",       "k",       "kbd",     "key",      "kref",    "li",
    "link",    "mark",  "meta",       "mrkd",    "nobr",    "nu",       "ol",      "opt",
    "p",       "pos",   "pre",        "q",       "rp",      "rref",     "rt",      "ruby",
    "s",       "samp",  "section",    "small",   "source",  "span",     "sr",      "strike",
    "strong",  "style", "sub",        "sup",     "table",   "tbody",    "td",      "tfoot",
    "th",      "thead", "title",      "tr",      "tt",      "u",        "ul",      "var",
    "wbr",
};

static_assert(std::is_sorted(std::begin(KnownTags), std::end(KnownTags)));

constexpr std::size_t LongestReference = 32;  // a "&" further from its ";" begins no reference
constexpr std::size_t ShownTagBytes = 40;
constexpr std::size_t LongestTag = 4096;  // a "<" further from the next ">" begins no tag

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsNameCharacter(char c) {
  return IsLetter(c) || (c >= '0' && c <= '9') || c == ':' || c == '_' || c == '-';
}

struct Tag {
  std::size_t end = 0;  // where its ">" is
  std::string name;     // in lower case; empty for a comment or a declaration
  bool closing = false;
};

// Where tags and comments end. The places asked about only grow, and a search that fails is
// not made again, so that a text of a million "<"s is read once, not a million times.
class Ends {
 public:
  explicit Ends(std::string_view markup) : markup_(markup), lastCommentEnd_(markup.rfind("-->")) {}

  // The first ">" at or after `place`.
  std::size_t Greater(std::size_t place) {
    if (!searched_ || (greater_ != std::string_view::npos && greater_ < place)) {
      greater_ = markup_.find('>', place);
      searched_ = true;
    }
    return greater_;
  }

  // The first "-->" at or after `place`.
  std::size_t Comment(std::size_t place) const {
    if (lastCommentEnd_ == std::string_view::npos || lastCommentEnd_ < place) {
      return std::string_view::npos;
    }
    return markup_.find("-->", place);
  }

 private:
  std::string_view markup_;
  bool searched_ = false;
  std::size_t greater_ = std::string_view::npos;
  std::size_t lastCommentEnd_;
};

// The tag, comment or declaration that the "<" at `start` begins; nothing when it begins none.
std::optional<Tag> TagAt(std::string_view markup, std::size_t start, Ends& ends) {
  const std::string_view rest = markup.substr(start);
  if (rest.rfind("<!--", 0) == 0) {
    const std::size_t close = ends.Comment(start + 4);
    return close == std::string_view::npos ? std::nullopt : std::optional(Tag{close + 2});
  }
  if (rest.size() > 1 && (rest[1] == '!' || rest[1] == '?')) {
    const std::size_t close = ends.Greater(start);
    return close - start > LongestTag ? std::nullopt : std::optional(Tag{close});
  }
  Tag tag;
  std::size_t i = start + 1;
  tag.closing = i < markup.size() && markup[i] == '/';
  i += tag.closing ? 1 : 0;
  if (i >= markup.size() || !IsLetter(markup[i])) {
    return std::nullopt;
  }
  for (; i < markup.size() && IsNameCharacter(markup[i]); ++i) {
    tag.name += markup[i];
  }
  tag.end = ends.Greater(i);
  if (tag.end == std::string_view::npos || tag.end - start > LongestTag) {
    return std::nullopt;
  }
  tag.name = AsciiLowercase(tag.name);
  return tag;
}

bool IsKnown(const Tag& tag) {
  return tag.name.empty() ||
         std::binary_search(std::begin(KnownTags), std::end(KnownTags), tag.name);
}

bool BreaksTheLine(const Tag& tag) {
  return tag.closing ? tag.name == "p" || tag.name == "div" || tag.name == "k" : tag.name == "br";
}

std::string Shown(std::string_view text) {
  if (text.size() <= ShownTagBytes) {
    return std::string(text);
  }
  return std::string(text.substr(0, WholeUtf8Length(text.substr(0, ShownTagBytes)))) + "...";
}

std::string Utf8Of(char32_t code) {
  if (code < 0x10000) {
    return Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(code)));
  }
  const auto high = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
  const auto low = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
  return Utf16ToUtf8(std::u16string{high, low});
}

// The number of "&#NNN;" or "&#xHH;"; nothing when the digits are not all digits.
std::optional<unsigned long> ReferenceNumber(std::string_view name) {
  const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
  const std::string_view digits = name.substr(hex ? 2 : 1);
  if (digits.empty()) {
    return std::nullopt;
  }
  unsigned long value = 0;
  for (const char c : digits) {
    const bool decimal = c >= '0' && c <= '9';
    const bool letter = hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
    if (!decimal && !letter) {
      return std::nullopt;
    }
    const unsigned long digit = decimal ? c - '0' : (c | 0x20) - 'a' + 10;
    value = std::min<unsigned long>(value * (hex ? 16 : 10) + digit, 0x110000);
  }
  return value;
}

// The reference at `start` decoded onto `text`; the position of its ";", or `start` when the
// "&" begins no reference and stays as it is.
std::size_t AppendReference(std::string_view markup, std::size_t start, std::string& text,
                            std::string& problem) {
  const std::size_t semicolon = markup.substr(0, start + LongestReference).find(';', start);
  if (semicolon == std::string_view::npos) {
    text += '&';
    return start;
  }
  const std::string_view name = markup.substr(start + 1, semicolon - start - 1);
  if (!name.empty() && name[0] == '#') {
    const auto code = ReferenceNumber(name);
    if (!code) {
      text += '&';
      return start;
    }
    if (*code == 0 || (*code >= 0xD800 && *code <= 0xDFFF) || *code > 0x10FFFF) {
      problem = "the character reference &" + std::string(name) + "; names no character";
    } else {
      text += Utf8Of(static_cast<char32_t>(*code));
    }
    return semicolon;
  }
  const char32_t code = NamedCharacter(name);
  if (code == 0) {
    text += '&';  // an "&" in the text, or a name HTML does not have: it stays as written
    return start;
  }
  text += Utf8Of(code);
  return semicolon;
}

}  // namespace

std::string MarkupToText(std::string_view markup, std::string& problem) {
  std::string text;
  Ends ends(markup);
  for (std::size_t i = 0; i < markup.size(); ++i) {
    if (markup[i] == '&') {
      i = AppendReference(markup, i, text, problem);
    } else if (markup[i] != '<') {
      text += markup[i];
    } else if (const auto tag = TagAt(markup, i, ends)) {
      if (!IsKnown(*tag)) {
        problem = "the text \"" + Shown(markup.substr(i, tag->end - i + 1)) +
                  "\" would be lost: it stands between \"<\" and \">\" but is no tag";
        return {};
      }
      if (BreaksTheLine(*tag)) {
        text += '\n';
      }
      i = tag->end;
    } else {
      text += '<';
    }
  }
  return text;
}

}  // namespace varkam::tools
