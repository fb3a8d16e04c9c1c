#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

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
  EXPECT_EQ(built.report, index + ":2: the entry has no text meaning\n" + index +
                              ":3: an item of type 'W' is cut short\nwarning: " +
                              (folder / "marked.ifo").string() +
                              ": items of type 'x' are markup; their tags are stripped\n");
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

// A dictionary with phonetics, as many are laid out: the phonetic items' IPA letters have no
// byte in the code page, so they are left out of the meanings, and the user is told once.
TEST(StarDict, PhoneticItemsAreLeftOutAndToldOnce) {
  TestFolder folder;
  StarDictWriter writer;
  writer.Add("cat", "k\u00E6t\0\u06AF\u0631\u0628\u0647"s);
  writer.Add("dog", "d\u0252\u0261\0\u0633\u06AF"s);
  writer.Write(folder, "phonetic", "tm", false);
  const Built built = Build(folder, {"phonetic.ifo"});
  EXPECT_EQ(built.report, "warning: " + (folder / "phonetic.ifo").string() +
                              ": items of type 't' are phonetics; they are left out of the "
                              "meanings\n");
  ASSERT_EQ(built.result.written, 2u);
  EXPECT_EQ(Dump(folder / "out"), "cat\t\u06AF\u0631\u0628\u0647\ndog\t\u0633\u06AF\n");

  StarDictWriter onlyPhonetics;
  onlyPhonetics.Add("eel", "y\u02D0l\0"s);
  onlyPhonetics.Add("fox", "mx\0"s);
  onlyPhonetics.Write(folder, "mixed", "", false);
  const Built mixed = Build(folder, {"mixed.ifo"}, true);
  EXPECT_NE(mixed.report.find(":1: the entry has no text meaning besides its phonetics\n"),
            std::string::npos)
      << mixed.report;
  EXPECT_EQ(mixed.result.written, 1u);
}

// A packed index unpacks no further than the .ifo's idxfilesize says it reaches, whatever
// follows; a packed index without idxfilesize is refused.
TEST(StarDict, APackedIndexIsUnpackedNoFurtherThanItsIdxfilesize) {
  TestFolder folder;
  StarDictWriter writer;
  writer.packedIndex = true;
  writer.Add("cat", "\u06AF\u0631\u0628\u0647");
  writer.Add("dog", "\u0633\u06AF");
  writer.Write(folder, "bomb", "m", false);
  const std::string index = writer.index;
  WriteGzip(folder / "bomb.idx.gz", index + std::string(4 << 20, '\0'));
  const Built built = Build(folder, {"bomb.ifo"});
  EXPECT_EQ(built.report, "warning: " + (folder / "bomb.idx.gz").string() +
                              ": unpacks to more than idxfilesize=" + std::to_string(index.size()) +
                              " bytes; the rest is not read\n");
  EXPECT_EQ(built.result.written, 2u);

  std::string ifo = folder.ReadFile("bomb.ifo");
  ifo.erase(ifo.find("idxfilesize="));
  folder.WriteFile("bomb.ifo", ifo);
  try {
    Build(folder, {"bomb.ifo"});
    ADD_FAILURE() << "read without idxfilesize";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()),
              (folder / "bomb.ifo").string() + ": idxfilesize, which says how far " +
                  (folder / "bomb.idx.gz").string() + " unpacks, is missing or not a number");
  }
}

// An index of a million bad entries reports the first hundred of them and how many more.
TEST(StarDict, TheBadEntriesReportedAreCapped) {
  TestFolder folder;
  StarDictWriter writer;
  writer.packedIndex = true;
  writer.Add("dog", "\u0633\u06AF");
  writer.index += std::string(1u << 20, '\0');  // entries of no word, 9 bytes each
  writer.Write(folder, "many", "m", false);
  const Built built = Build(folder, {"many.ifo"}, true);
  const std::string index = (folder / "many.idx.gz").string();
  const std::size_t bad = (1u << 20) / 9;
  EXPECT_EQ(built.result.badLines, bad + 1) << "the last is cut short";
  EXPECT_EQ(std::count(built.report.begin(), built.report.end(), '\n'), 102);
  EXPECT_NE(built.report.find(index + ":2: the headword is empty\n"), std::string::npos);
  EXPECT_NE(built.report.find(index + ": " + std::to_string(bad + 1 - 100) +
                              " more bad lines, not shown\n"),
            std::string::npos)
      << built.report.substr(built.report.size() - 300);
  EXPECT_EQ(built.result.written, 1u);
}

std::size_t PeakMemoryKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::size_t>(usage.ru_maxrss);
}

// An entry a gigabyte into a dictzip file unpacks its own chunk alone; an entry past what a
// packed file can hold is refused without unpacking anything.
TEST(StarDict, APackedEntryFarIntoTheTextsCostsOnlyItsOwnText) {
  TestFolder folder;
  constexpr std::size_t ChunkLength = 65535;
  constexpr std::size_t Chunks = 16385;  // a gigabyte
  const std::string meaning = "\u0633\u06AF";
  std::vector<std::string> chunks(Chunks - 1, PackChunk(std::string(ChunkLength, '\0')));
  chunks.push_back(PackChunk("x" + meaning));
  folder.WriteFile("far.dict.dz", DictzipFile(chunks, ChunkLength));
  StarDictWriter writer;
  writer.Add("dog", meaning);
  const std::uint32_t offset = (Chunks - 1) * ChunkLength + 1;
  for (int i = 0; i < 4; ++i) {
    writer.index[4 + i] = static_cast<char>(offset >> (24 - 8 * i));
  }
  writer.Write(folder, "far", "m", false);
  std::filesystem::remove(folder / "far.dict");
  const std::size_t before = PeakMemoryKiB();
  const Built built = Build(folder, {"far.ifo"});
  EXPECT_EQ(built.report, "");
  EXPECT_EQ(Dump(folder / "out"), "dog\t\u0633\u06AF\n");
  EXPECT_LT(PeakMemoryKiB(), before + 256 * 1024) << "KiB at the peak";

  StarDictWriter small;
  small.Add("cat", meaning);
  small.Add("dog", meaning);
  small.index.replace(small.index.size() - 8, 4, "\x40\x00\x00\x00"s);  // a gigabyte in
  small.Write(folder, "small", "m", true);
  const Built refused = Build(folder, {"small.ifo"}, true);
  EXPECT_EQ(refused.report,
            (folder / "small.idx").string() +
                ":2: its text lies past what small.dict.dz can hold (" +
                std::to_string(std::filesystem::file_size(folder / "small.dict.dz") * 1032) +
                " bytes)\n");
  EXPECT_EQ(refused.result.written, 1u);
}

// A folder or a pipe in the place of a part of the dictionary is named, and a pipe is never
// opened, so that it cannot hold the build up.
TEST(StarDict, AFolderOrAPipeInPlaceOfAPartIsNamed) {
  TestFolder folder;
  StarDictWriter writer;
  writer.Add("dog", "\u0633\u06AF");
  writer.Write(folder, "parts", "m", false);
  for (const char* part : {"parts.idx", "parts.dict"}) {
    std::filesystem::rename(folder / part, folder / "aside");
    std::filesystem::create_directory(folder / part);
    const std::string error = [&] {
      try {
        Build(folder, {"parts.ifo"});
      } catch (const std::runtime_error& error) {
        return std::string(error.what());
      }
      return std::string("no error");
    }();
    EXPECT_EQ(error, (folder / part).string() + " is a folder, not a file");
    std::filesystem::remove(folder / part);
#ifndef _WIN32
    ASSERT_EQ(mkfifo((folder / part).c_str(), 0644), 0);
    EXPECT_THROW(Build(folder, {"parts.ifo"}), std::runtime_error) << part;
    std::filesystem::remove(folder / part);
#endif
    std::filesystem::rename(folder / "aside", folder / part);
  }
}

// Markup as dictionaries write it loses no text without a word: named references are
// characters (one the code page lacks is then reported by name), tags in capitals break lines
// as in lower case, and text between a stray "<" and ">" is reported.
TEST(StarDict, MarkupLosesNoTextWithoutAWord) {
  TestFolder folder;
  StarDictWriter writer;
  writer.Add("cat", "\u0633\u06AF<BR>\u06AF\u0631\u0628\u0647");
  writer.Add("dog", "\u0645\u06CC&zwnj;\u062E\u0648\u0627\u0647\u0645");
  writer.Add("eel", "&laquo;\u0633\u06AF&raquo;");
  writer.Add("fox", "x<y and y>z");
  writer.Write(folder, "marked", "h", false);
  const Built built = Build(folder, {"marked.ifo"}, true);
  const std::string index = (folder / "marked.idx").string();
  EXPECT_EQ(built.report,
            index + ":3: in the meaning, U+00AB at character 1 has no byte in the Persian code "
                    "page\n" +
                index +
                ":4: the text \"<y and y>\" would be lost: it stands between \"<\" and \">\" but "
                "is no tag\nwarning: " +
                (folder / "marked.ifo").string() +
                ": items of type 'h' are markup; their tags are stripped\n");
  EXPECT_EQ(Dump(folder / "out"),
            "cat\t\u0633\u06AF\\n\u06AF\u0631\u0628\u0647\n"
            "dog\t\u0645\u0649 \u062E\u0648\u0627\u0647\u0645\n")
      << "the yeh before the non-joiner takes its final form";
}

}  // namespace
}  // namespace varkam::tools
