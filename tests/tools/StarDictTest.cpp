#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "UnitDitionary.h"
#include "lib/DictionaryWriter.h"
#include "persian/PersianDecode.h"
#include "tools/ToolsTesting.h"

namespace varkam::tools {
namespace {

using namespace std::string_literals;
using namespace support;

TEST(StarDict, PlainTextMeaningsOfAFixedTypeSequence) {
  TestFolder folder;
  StarDictWriter writer;
  writer.Add("apple", "\u0633\u06CC\u0628\n\u0645\u06CC\u0648\u0647\n");
  writer.Add("caf\xC3\xA9", "x");
  writer.Add("dog", "\u0633\u06AF");
  writer.Write(folder, "plain", "m", true);
  const Built built = Build(folder, {"plain.ifo"}, true);
  EXPECT_EQ(built.report, (folder / "plain.idx").string() +
                              ":2: the headword \"caf\xC3\xA9\" has U+00E9 at character 4; "
                              "headwords are printable ASCII\n");
  ASSERT_TRUE(built.result.wroteFiles);
  TDictionary dictionary(folder / "out");
  ASSERT_EQ(dictionary.WordCount(), 2);
  EXPECT_EQ(persian::PersianToUnicode(dictionary.GetMeaning(1)),
            u"\u0633\u064A\u0628\r\n\u0645\u064A\u0648\u0647");
  EXPECT_EQ(persian::PersianToUnicode(dictionary.GetMeaning(2)), u"\u0633\u06AF");
}

TEST(StarDict, MarkupIsStrippedWithAWarningAndBinaryItemsAreSkipped) {
  TestFolder folder;
  StarDictWriter writer;
  writer.wideOffsets = true;
  writer.Add("cat", "x<k>cat</k><b>\u06AF\u0631\u0628\u0647</b> &amp; &#1587;\0"s +
                        "W\0\0\0\x02"
                        "ab"s +
                        "m\u0628\0"s);
  writer.Add("empty", "W\0\0\0\x01z"s);
  writer.Add("cut", "W\0\0\0\x09z"s);
  writer.Write(folder, "marked", "", false);
  const Built built = Build(folder, {"marked.ifo"}, true);
  const std::string index = (folder / "marked.idx").string();
  EXPECT_EQ(built.report, "warning: " + (folder / "marked.ifo").string() +
                              ": meanings of type 'x' are markup; their tags are stripped\n" +
                              index + ":2: the entry has no text meaning\n" + index +
                              ":3: an item of type 'W' is cut short\n");
  TDictionary dictionary(folder / "out");
  ASSERT_EQ(dictionary.WordCount(), 1);
  EXPECT_EQ(persian::PersianToUnicode(dictionary.GetMeaning(1)),
            u"cat\r\n\u06AF\u0631\u0628\u0647 & \u0633\r\n\u0628");
}

TEST(StarDict, ADictionaryThatCannotBeReadIsAnError) {
  TestFolder folder;
  folder.WriteFile("broken.ifo", "not a dictionary\n");
  EXPECT_THROW(Build(folder, {"broken.ifo"}), std::runtime_error);
  StarDictWriter writer;
  writer.Add("dog", "x");
  writer.Write(folder, "lost", "m", false);
  std::filesystem::remove(folder / "lost.dict");
  EXPECT_THROW(Build(folder, {"lost.ifo"}), std::runtime_error);
  folder.WriteFile("cut.ifo", "StarDict's dict ifo file\nsametypesequence=m\n");
  folder.WriteFile("cut.idx",
                   "dog\0\0\0\0\0\0\0\0\x01"
                   "cat\0\0"s);
  folder.WriteFile("cut.dict", "x");
  const Built built = Build(folder, {"cut.ifo"}, true);
  EXPECT_EQ(built.report, (folder / "cut.idx").string() + ":2: the index is cut short here\n");
  EXPECT_EQ(built.result.written, 1u);
}

// Text that a StarDict entry would lose is reported: a character reference that names no
// character, markup with no text in it.
TEST(StarDict, WhatWouldBeLostIsReported) {
  TestFolder folder;
  StarDictWriter writer;
  writer.Add("cat", "\u06AF\u0631\u0628\u0647 &#xD800;");
  writer.Add("dog", "<b> </b><i></i>");
  writer.Add("eel", "&#x1F600;");
  writer.Add("fox", "<b>\u0631</b>");
  writer.Write(folder, "lossy", "h", false);
  const Built built = Build(folder, {"lossy.ifo"}, true);
  const std::string index = (folder / "lossy.idx").string();
  EXPECT_NE(built.report.find(index + ":1: the character reference &#xD800; names no character"),
            std::string::npos)
      << built.report;
  EXPECT_NE(built.report.find(index + ":2: an item of type 'h' is markup with no text in it"),
            std::string::npos);
  EXPECT_NE(built.report.find(index + ":3: in the meaning, U+1F600 at character 1"),
            std::string::npos);
  EXPECT_EQ(built.result.written, 1u);
}

// A .dict.dz is unpacked no further than the index points: what lies past that (here a
// broken end, elsewhere gigabytes of nothing) is never read.
TEST(StarDict, APackedDictIsUnpackedOnlyAsFarAsTheIndexReaches) {
  TestFolder folder;
  StarDictWriter writer;
  writer.Add("dog", "\u0633\u06AF");
  writer.dict += std::string(1 << 20, 'z');
  writer.Write(folder, "bomb", "m", true);
  std::string packed = folder.ReadFile("bomb.dict.dz");
  packed.resize(packed.size() - 12);  // its last block and its check are gone
  folder.WriteFile("bomb.dict.dz", packed);
  const Built built = Build(folder, {"bomb.ifo"});
  EXPECT_TRUE(built.result.wroteFiles) << built.report;
  EXPECT_EQ(persian::PersianToUnicode(TDictionary(folder / "out").GetMeaning(1)), u"\u0633\u06AF");
}

TEST(StarDict, TheIfoIsFoundInAnyLetterCaseAndAMissingOneIsNamed) {
  TestFolder folder;
  StarDictWriter writer;
  writer.Add("dog", "\u0633\u06AF");
  writer.Write(folder, "upper", "m", false);
  std::filesystem::rename(folder / "upper.ifo", folder / "upper.IFO");
  EXPECT_EQ(Build(folder, {"upper.IFO"}).result.written, 1u);
  try {
    Build(folder, {"missing.ifo"});
    ADD_FAILURE() << "a missing .ifo was read";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), (folder / "missing.ifo").string() + ": not found");
  }
}

}  // namespace
}  // namespace varkam::tools
