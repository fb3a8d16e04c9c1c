#include <gtest/gtest.h>

#include "lib/TextFormat.h"
#include "lib/Utf8.h"

namespace varkam::tools {
namespace {

std::string BadEntryMessage(std::string_view line) {
  try {
    ParseTextLine(line);
  } catch (const BadEntry& bad) {
    return bad.what();
  }
  return "no error";
}

TEST(ParseTextLine, SplitsAtTheTabAndUndoesTheEscapes) {
  const auto entry = ParseTextLine("  dog \t\u0633\u06AF\\n\\t\\\\x");
  ASSERT_TRUE(entry.has_value());
  EXPECT_EQ(entry->headword, "dog");
  EXPECT_EQ(entry->meaning, u"\u0633\u06AF\r\n\t\\x");
  const auto empty = ParseTextLine("cat\t");
  ASSERT_TRUE(empty.has_value());
  EXPECT_EQ(empty->meaning, u"");
  EXPECT_EQ(ParseTextLine("a b\t x ")->meaning, u" x ") << "the meaning is kept as it stands";
}

TEST(ParseTextLine, SkipsBlankAndCommentLines) {
  EXPECT_FALSE(ParseTextLine(""));
  EXPECT_FALSE(ParseTextLine("   \t "));
  EXPECT_FALSE(ParseTextLine("# dog\tnot an entry"));
  EXPECT_EQ(ParseTextLine(" #tag\tx")->headword, "#tag");
}

TEST(ParseTextLine, SaysWhatIsWrongWithABadLine) {
  EXPECT_EQ(BadEntryMessage("dog"), "no tab between the headword and the meaning");
  EXPECT_EQ(BadEntryMessage("  \tx"), "the headword is empty");
  EXPECT_EQ(BadEntryMessage(std::string(33, 'a') + "\tx"),
            "the headword \"" + std::string(33, 'a') + "\" is 33 characters long, more than 32");
  EXPECT_EQ(
      BadEntryMessage("caf\xC3\xA9\tx"),
      "the headword \"caf\xC3\xA9\" has U+00E9 at character 4; headwords are printable ASCII");
  EXPECT_EQ(BadEntryMessage("a\tb\tc"),
            "a second tab in the line; write a tab in the meaning as \\t");
  EXPECT_EQ(BadEntryMessage("a\tb\\q"), "unknown escape \\q at character 2 of the meaning");
  EXPECT_EQ(BadEntryMessage("a\tb\\"),
            "the meaning ends in a lone backslash; write a backslash as \\\\");
  EXPECT_EQ(BadEntryMessage("a\tb\rc"), "control character U+000D at character 2 of the meaning");
  EXPECT_EQ(BadEntryMessage("a\t\xD8"), "not UTF-8 at byte 3");
}

TEST(FormatTextLine, WritesWhatParseTextLineReadsBack) {
  const std::u16string meaning = u"\u0633\u06AF\r\n\t\\ (x)";
  const std::string line = FormatTextLine("dog", meaning);
  EXPECT_EQ(line, "dog\t\u0633\u06AF\\n\\t\\\\ (x)");
  EXPECT_EQ(ParseTextLine(line)->meaning, meaning);
  EXPECT_EQ(ParseTextLine(FormatTextLine("#1", u"x"))->headword, "#1");
  // Line breaks from other sources, in either order or alone, are line breaks too.
  EXPECT_EQ(FormatTextLine("a", u"1\n\r2\n3\r4"), "a\t1\\n2\\n3\\n4");
  EXPECT_EQ(FormatTextLine("caf\xE9", u""), "caf\xC3\xA9\t");
}

// A corrupt dictionary's control characters are dumped escaped, on one line, and read back to
// an error that names them rather than to another entry.
TEST(FormatTextLine, ControlCharactersOfACorruptDictionaryStayOnOneLine) {
  const std::string line = FormatTextLine("a\tb\nc", u"x\u001By");
  EXPECT_EQ(line, "a\\x09b\\x0Ac\tx\\x1By");
  try {
    ParseTextLine(line);
    ADD_FAILURE() << "a headword with a tab was read";
  } catch (const BadEntry& bad) {
    EXPECT_NE(std::string(bad.what()).find("has U+0009 at character 2"), std::string::npos)
        << bad.what();
  }
  EXPECT_EQ(ParseTextLine("ok\tx\\x1By")->meaning, u"x\u001By") << "for the encoder to refuse";
  EXPECT_EQ(ParseTextLine("c:\\x41\ty")->headword, "c:\\x41") << "not a control: as written";
  EXPECT_THROW(ParseTextLine("ok\tx\\x41"), BadEntry) << "only controls are written so";
  EXPECT_THROW(ParseTextLine("ok\tx\\x0A."), BadEntry) << "a line break is written \\n";

  EXPECT_EQ(FormatTextLine("a", u"x\u0085y"), "a\tx\\x85y");
  EXPECT_EQ(ParseTextLine("a\tx\\x85y")->meaning, u"x\u0085y") << "for the encoder to refuse";
  // The bytes code page 1252 leaves unassigned are C1 controls: escaped too, refused by name.
  const std::string c1 = FormatTextLine("a\x9D", u"x");
  EXPECT_EQ(c1, "a\\x9D\tx");
  EXPECT_EQ(BadEntryMessage(c1),
            "the headword \"a\\x9D\" has U+009D at character 2; headwords are printable ASCII");
  EXPECT_EQ(BadEntryMessage("a\u0085b\tx"),
            "the headword \"a\\x85b\" has U+0085 at character 2; headwords are printable ASCII");
  EXPECT_EQ(BadEntryMessage(std::string("d\0o\0g\0\tx", 8)),
            "the headword \"d\\x00o\\x00g\\x00\" has U+0000 at character 2; headwords are "
            "printable ASCII");
}

TEST(EscapeControls, WritesOneLine) {
  EXPECT_EQ(EscapeControls("a\r\nb\tc\\d"), "a\\r\\nb\\tc\\\\d");
  // No control character reaches a terminal, and a NUL does not end the text.
  EXPECT_EQ(EscapeControls(std::string("\x1B[2Jx\0y\x7F", 8)), "\\x1B[2Jx\\x00y\\x7F");
  // C1 controls too: a terminal may take U+009B for the escape sequence's start.
  EXPECT_EQ(EscapeControls("a\u0085b\u009B2J\u00A0\u00E9"), "a\\x85b\\x9B2J\u00A0\u00E9");
}

// A message is meant for a person: its backslashes stay single (a Windows path reads as typed),
// and what could act on a terminal, or end the text, is written as \xNN.
TEST(MessageText, ShowsEveryCharacterAndActsOnNone) {
  EXPECT_EQ(MessageText("C:\\Users\\me\\words.tsv"), "C:\\Users\\me\\words.tsv");
  EXPECT_EQ(MessageText(std::string("d\0o\0g\0", 6)), "d\\x00o\\x00g\\x00");
  EXPECT_EQ(MessageText("\x1B[2J\u009D0;x\u0007\t\r\n"), "\\x1B[2J\\x9D0;x\\x07\\x09\\x0D\\x0A");
  EXPECT_EQ(MessageText("caf\xC3\xA9 \xD8\xB3 \xFF\xC3 ok"), "caf\xC3\xA9 \xD8\xB3 \\xFF\\xC3 ok");
}

// A console is written whole characters at a time.
TEST(Utf8, AWholeLengthLeavesACutCharacterForLater) {
  const std::string dog = "\xD8\xB3\xDA\xAF";  // سگ
  EXPECT_EQ(WholeUtf8Length(dog), 4u);
  EXPECT_EQ(WholeUtf8Length(dog.substr(0, 3)), 2u);
  EXPECT_EQ(WholeUtf8Length("a\xF0\x9F\x98"), 1u);
  EXPECT_EQ(WholeUtf8Length("a\xF0\x9F\x98\x80"), 5u);
  EXPECT_EQ(WholeUtf8Length("plain"), 5u);
  EXPECT_EQ(WholeUtf8Length(""), 0u);
}

TEST(Utf8, ConvertsBothWaysAndRefusesWhatIsNotUtf8) {
  const std::string text = "a\xC3\xA9\xD8\xB3\xE2\x82\xAC\xF0\x9F\x90\x95";
  const auto wide = Utf8ToUtf16(text);
  ASSERT_TRUE(wide.has_value());
  EXPECT_EQ(*wide, u"a\u00E9\u0633\u20AC\U0001F415");
  EXPECT_EQ(Utf16ToUtf8(*wide), text);
  std::size_t bad = 0;
  for (const std::string& broken :
       {std::string("\xC0\x80"), std::string("\xE0\x80\x80"), std::string("\xED\xA0\x80"),
        std::string("\xF4\x90\x80\x80"), std::string("\xE2\x82"), std::string("\x80")}) {
    EXPECT_FALSE(Utf8ToUtf16("ok" + broken, &bad)) << broken;
    EXPECT_EQ(bad, 2u);
  }
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(Windows1252ToUtf8("\x80\x81\xE9"), "\xE2\x82\xAC\xC2\x81\xC3\xA9");
}

}  // namespace
}  // namespace varkam::tools
