#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "UnitDitionary.h"
#include "lib/Build.h"
#include "lib/DataFolder.h"
#include "lib/DictionaryWriter.h"
#include "lib/SourceText.h"
#include "lib/TextFormat.h"
#include "persian/PersianDecode.h"
#include "persian/PersianEncode.h"
#include "tools/ToolsTesting.h"

namespace varkam::tools {
namespace {

using namespace std::string_literals;
using namespace support;

TEST(BuildDictionary, NothingToWriteFailsAndLeavesTheFolder) {
  TestFolder folder;
  folder.WriteFile("old.txt", "old\tx\n");
  Build(folder, {"old.txt"});
  const auto before = FilesIn(folder / "out");
  folder.WriteFile("empty.txt", "");
  folder.WriteFile("comments.txt", "# nothing\n\n");
  folder.WriteFile("bad.txt", "no tab here\nnor here\n");
  for (const auto& [input, skipBad] :
       {std::pair{"empty.txt", false}, std::pair{"comments.txt", false},
        std::pair{"bad.txt", true}}) {
    try {
      Build(folder, {input}, skipBad);
      ADD_FAILURE() << input << " wrote a dictionary";
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find("nothing to write"), std::string::npos);
    }
    EXPECT_TRUE(FilesIn(folder / "out") == before) << input;
  }
}

// A source saved as UTF-16 with its byte order mark reads as the same entries.
TEST(BuildDictionary, UnicodeSourcesInUtf16AreRead) {
  TestFolder folder;
  const std::u16string text = u"dog\t\u0633\u06AF\r\ncat\t\u06AF\u0631\u0628\u0647\r\n";
  std::string little = "\xFF\xFE";
  std::string big = "\xFE\xFF";
  for (const char16_t unit : text) {
    little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
  }
  folder.WriteFile("utf8.txt", "dog\t\u0633\u06AF\ncat\t\u06AF\u0631\u0628\u0647\n");
  Build(folder, {"utf8.txt"});
  const std::string expected = Dump(folder / "out");
  for (const auto& [name, bytes] : {std::pair{"le.txt", little}, std::pair{"be.txt", big}}) {
    folder.WriteFile(name, bytes);
    const Built built = Build(folder, {name});
    EXPECT_EQ(built.result.written, 2u) << name << built.report;
    EXPECT_EQ(Dump(folder / "out"), expected) << name;
  }
  folder.WriteFile("odd.txt", little + "x");
  EXPECT_THROW(Build(folder, {"odd.txt"}), std::runtime_error);
}

TEST(DataFilesProblem, NamesAFolderOrAPipeInPlaceOfADataFile) {
  TestFolder folder;
  WriteDictionaryFiles(folder.Path(), {{"word", " x"}});
  EXPECT_EQ(DataFilesProblem(folder.Path()), std::nullopt);
  std::filesystem::remove(folder / "Dat02.vq");
  EXPECT_EQ(DataFilesProblem(folder.Path()), std::nullopt) << "missing is the dictionary's to say";
  std::filesystem::create_directory(folder / "Dat02.vq");
  EXPECT_EQ(DataFilesProblem(folder.Path()),
            (folder / "Dat02.vq").string() + " is a folder, not a data file");
}

TEST(BuildDictionary, ReportsEveryBadLineAndWritesNothing) {
  TestFolder folder;
  folder.WriteFile("old.txt", "old\tx\n");
  Build(folder, {"old.txt"});
  const std::string before = folder.ReadFile("out/Dat01.vq");

  folder.WriteFile("words.txt",
                   "# a comment\n"
                   "dog\t\u0633\u06AF\r\n"
                   "\n"
                   "quote\t\u00AB\u0633\u06AF\u00BB\n"
                   "missing tab\n"
                   "long\t" +
                       std::string(300, 'x') +
                       "\n"
                       "cat\t\u06AF\u0631\u0628\u0647\n");
  const Built failed = Build(folder, {"words.txt"});
  EXPECT_FALSE(failed.result.wroteFiles);
  EXPECT_EQ(failed.result.badLines, 3u);
  const std::string name = (folder / "words.txt").string();
  EXPECT_EQ(failed.report,
            name +
                ":4: in the meaning, U+00AB at character 1 has no byte in the Persian code page\n" +
                name + ":5: no tab between the headword and the meaning\n" + name +
                ":6: in the meaning, the meaning takes 301 bytes in the Persian code page, "
                "more than 255\n");
  EXPECT_EQ(folder.ReadFile("out/Dat01.vq"), before);

  const Built skipped = Build(folder, {"words.txt"}, true);
  EXPECT_TRUE(skipped.result.wroteFiles);
  EXPECT_EQ(skipped.result.written, 2u);
  EXPECT_EQ(skipped.result.badLines, 3u);
  TDictionary dictionary(folder / "out");
  EXPECT_EQ(dictionary.WordCount(), 2);
  EXPECT_EQ(persian::PersianToUnicode(dictionary.GetMeaning(dictionary.FindWord("dogs"))),
            u"\u0633\u06AF");
}

// Headwords that differ only in letter case: the lookup reaches only the first, so the others
// are reported with its place, or joined to it as one entry.
TEST(BuildDictionary, HeadwordsThatDifferOnlyInCaseAreReportedOrJoined) {
  TestFolder folder;
  folder.WriteFile("a.txt", "Ewe\t\u0627\u0648\u0647\ncat\t\u06AF\u0631\u0628\u0647\n");
  folder.WriteFile("b.txt", "ewe\t\u0645\u06CC\u0634\nCAT\t\u06AF\u0631\u0628\u0647\ncat\tx\n");
  const std::string a = (folder / "a.txt").string();
  const std::string b = (folder / "b.txt").string();
  const Built reported = Build(folder, {"a.txt", "b.txt"});
  EXPECT_EQ(reported.report,
            "warning: " + b +
                ":2: the headword \"CAT\" differs only in letter case from \"cat\" at " + a +
                ":2; the lookup reaches only that one (--merge-case keeps them as one entry)\n" +
                "warning: " + b + ":3: the headword \"cat\" is there already at " + a +
                ":2; the lookup reaches only that one (--merge-case keeps them as one entry)\n" +
                "warning: " + b +
                ":1: the headword \"ewe\" differs only in letter case from \"Ewe\" at " + a +
                ":1; the lookup reaches only that one (--merge-case keeps them as one entry)\n");
  EXPECT_EQ(reported.result.written, 5u);

  BuildOptions options;
  options.inputs = {folder / "a.txt", folder / "b.txt"};
  options.outputFolder = folder / "merged";
  options.mergeCase = true;
  std::ostringstream report;
  EXPECT_EQ(BuildDictionary(options, report).written, 2u);
  EXPECT_EQ(report.str(), "");
  EXPECT_EQ(Dump(folder / "merged"),
            "cat\t\u06AF\u0631\u0628\u0647\\nx\nEwe\t\u0627\u0648\u0647\\n\u0645\u064A\u0634\n")
      << "the same meaning once; another joins on a line of its own";

  folder.WriteFile("long.txt",
                   "dog\t" + std::string(200, 'x') + "\nDog\t" + std::string(100, 'y') + "\n");
  options.inputs = {folder / "long.txt"};
  std::ostringstream tooLong;
  EXPECT_FALSE(BuildDictionary(options, tooLong).wroteFiles);
  EXPECT_NE(tooLong.str().find(":2: its meaning cannot join the one of \"dog\""), std::string::npos)
      << tooLong.str();
}

TEST(BuildDictionary, SeveralInputsMakeOneDictionary) {
  TestFolder folder;
  folder.WriteFile("a.txt", "\xEF\xBB\xBFzebra\tz\n");
  folder.WriteFile("b.txt", "apple\ta\n");
  const Built built = Build(folder, {"a.txt", "b.txt"});
  ASSERT_TRUE(built.result.wroteFiles);
  TDictionary dictionary(folder / "out");
  EXPECT_EQ(dictionary.GetWord(1), "apple");
  EXPECT_EQ(dictionary.GetWord(2), "zebra");
  EXPECT_THROW(Build(folder, {"nowhere.txt"}), std::runtime_error);
}

TEST(BuildDictionary, WhatVqdumpWritesCompilesToTheSameFiles) {
  TestFolder folder;
  folder.WriteFile("words.txt",
                   "b\t\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645 (me) \u06F1\u06F2\n"
                   "a\t\u0634\u06CC\u0621\\n\u0644\u0627\u0644\u0647\\t\\\\ x\n"
                   "A\t\u0643\u062A\u0627\u0628\u060C \u0633\u0644\u0627\u0645\n"
                   "#x\t\n"
                   " #y\t\u0622\u0628\n");
  ASSERT_TRUE(Build(folder, {"words.txt"}).result.wroteFiles);
  const std::string dump = Dump(folder / "out");
  EXPECT_EQ(dump.substr(0, dump.find('\n')), " #y\t\u0622\u0628");
  folder.WriteFile("dump.txt", dump);
  std::filesystem::rename(folder / "out", folder / "first");
  ASSERT_TRUE(Build(folder, {"dump.txt"}).result.wroteFiles);
  for (const char* name : DataFiles) {
    EXPECT_EQ(folder.ReadFile(std::string("out/") + name),
              folder.ReadFile(std::string("first/") + name))
        << name;
  }
}

// The bundled dictionary: every meaning survives encoding as its canonical form, and
// its dump compiles to the same four files.
TEST(BundledDictionary, RoundTripsThroughTheStoredForm) {
  TestFolder folder;
  std::ifstream source(VARKAM_DICTIONARY_SOURCE, std::ios::binary);
  ASSERT_TRUE(source.is_open());
  std::string line;
  std::size_t entries = 0;
  while (std::getline(source, line)) {
    if (const auto entry = ParseTextLine(line)) {
      ASSERT_EQ(persian::PersianToUnicode(persian::UnicodeToPersian(entry->meaning)),
                persian::CanonicalPersian(entry->meaning))
          << line;
      ++entries;
    }
  }
  EXPECT_GT(entries, 40000u);

  BuildOptions options;
  options.inputs = {VARKAM_DICTIONARY_SOURCE};
  options.mergeCase = true;  // as the build compiles it: "Ewe" and "ewe" are one entry
  options.outputFolder = folder / "first";
  std::ostringstream report;
  ASSERT_TRUE(BuildDictionary(options, report).wroteFiles) << report.str();
  EXPECT_EQ(report.str(), "");
  folder.WriteFile("dump.txt", Dump(folder / "first"));
  ASSERT_TRUE(Build(folder, {"dump.txt"}).result.wroteFiles);
  for (const char* name : DataFiles) {
    EXPECT_EQ(folder.ReadFile(std::string("out/") + name) ==
                  folder.ReadFile(std::string("first/") + name),
              true)
        << name;
  }
  TDictionary dictionary(folder / "first");
  const std::u16string dog =
      persian::PersianToUnicode(dictionary.GetMeaning(dictionary.FindWord("dog")));
  EXPECT_EQ(dog.substr(0, dog.find(u'\r')), u"\u0633\u06AF");  // its first sense
}

std::string Wide(std::u32string_view text, int width, bool littleEndian) {
  std::string bytes;
  for (const char32_t c : text) {
    for (int i = 0; i < width; ++i) {
      const int shift = 8 * (littleEndian ? i : width - 1 - i);
      bytes += static_cast<char>((c >> shift) & 0xFF);
    }
  }
  return bytes;
}

std::string BuildError(const TestFolder& folder, const std::string& input) {
  try {
    Build(folder, {input});
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "no error";
}

// A source in UTF-32, or in UTF-16 without its byte order mark, would read as lines of NUL
// bytes: the likely encoding is named instead.
TEST(BuildDictionary, AWideSourceWithoutItsMarkIsNamed) {
  TestFolder folder;
  const std::u32string text = U"dog\t\u0633\u06AF\r\ncat\t\u06AF\u0631\u0628\u0647\r\n";
  const std::string advice = "; save it as UTF-8, or as UTF-16 with its byte order mark";
  const struct {
    const char* name;
    std::string bytes;
    std::string said;
  } sources[] = {
      {"u16le.tsv", Wide(text, 2, true),
       "looks like UTF-16 (little-endian) text without a byte order mark"},
      {"u16be.tsv", Wide(text, 2, false),
       "looks like UTF-16 (big-endian) text without a byte order mark"},
      {"u32le.tsv", Wide(text, 4, true),
       "looks like UTF-32 (little-endian) text without a byte order mark"},
      {"u32be.tsv", Wide(text, 4, false),
       "looks like UTF-32 (big-endian) text without a byte order mark"},
      {"bom32.tsv", Wide(U"\uFEFF" + text, 4, true),
       "UTF-32 text (it begins with the byte order mark of UTF-32)"},
  };
  for (const auto& source : sources) {
    folder.WriteFile(source.name, source.bytes);
    EXPECT_EQ(BuildError(folder, source.name),
              (folder / source.name).string() + ": " + source.said + advice);
  }
  EXPECT_EQ(LikelyWideEncoding("dog\tx\0y\n"s), "") << "a stray NUL is a bad line, no encoding";
}

// Messages name the file and show what is wrong whole: a folder given as a source, a NUL in a
// headword, a path with a backslash in it.
TEST(BuildDictionary, MessagesNameTheFileAndShowEveryCharacter) {
  TestFolder folder;
  std::filesystem::create_directory(folder / "words.tsv");
  EXPECT_EQ(BuildError(folder, "words.tsv"),
            (folder / "words.tsv").string() + " is a folder, not a file");

  folder.WriteFile("c:\\users\\me.tsv", "d\0g\tx\n"s);
  const Built built = Build(folder, {"c:\\users\\me.tsv"});
  EXPECT_EQ(built.report, (folder / "c:\\users\\me.tsv").string() +
                              ":1: the headword \"d\\x00g\" has U+0000 at character 2; headwords "
                              "are printable ASCII\n");
}

}  // namespace
}  // namespace varkam::tools
