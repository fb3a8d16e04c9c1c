#include <gtest/gtest.h>

#include <zlib.h>

#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "UnitDitionary.h"
#include "lib/Build.h"
#include "lib/DataFolder.h"
#include "lib/DictionaryWriter.h"
#include "lib/TextFormat.h"
#include "persian/PersianDecode.h"
#include "persian/PersianEncode.h"
#include "support/TestFolder.h"

namespace varkam::tools {
namespace {

using namespace std::string_literals;

using varkam::testing::TestFolder;

const char* const DataFiles[] = {"Dat01.vq", "Dat02.vq", "Dat03.vq", "Dat04.vq"};

struct Built {
  BuildResult result;
  std::string report;
};

Built Build(const TestFolder& folder, std::vector<std::string> inputs, bool skipBad = false) {
  BuildOptions options;
  for (const auto& input : inputs) {
    options.inputs.push_back(folder / input);
  }
  options.outputFolder = folder / "out";
  options.skipBad = skipBad;
  std::ostringstream report;
  Built built{BuildDictionary(options, report), ""};
  built.report = report.str();
  return built;
}

// The dictionary in `folder` as vqdump writes it.
std::string Dump(const std::filesystem::path& folder) {
  TDictionary dictionary(folder);
  std::string text;
  for (std::int32_t index = 1; index <= dictionary.WordCount(); ++index) {
    text += FormatTextLine(dictionary.GetWord(index),
                           persian::PersianToUnicode(dictionary.GetMeaning(index))) +
            "\n";
  }
  return text;
}

TEST(WriteDictionaryFiles, SortsStablyStoresMeaningsOnceAndPadsTheFourthFile) {
  TestFolder folder;
  const auto written = WriteDictionaryFiles(folder.Path(), {{"zebra", " z"},
                                                            {"Cat", " first"},
                                                            {"apple", " shared"},
                                                            {"cat", " second"},
                                                            {"box", " shared"}});
  EXPECT_EQ(written.entries, 5u);
  EXPECT_EQ(written.distinctMeanings, 4u);
  TDictionary dictionary(folder.Path());
  ASSERT_FALSE(dictionary.TakeMissingFlag());
  ASSERT_EQ(dictionary.WordCount(), 5);
  const char* const order[] = {"apple", "box", "Cat", "cat", "zebra"};
  const char* const meanings[] = {" shared", " shared", " first", " second", " z"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(dictionary.GetWord(i + 1), order[i]);
    EXPECT_EQ(dictionary.GetMeaning(i + 1), meanings[i]);
  }
  EXPECT_EQ(folder.ReadFile("Dat01.vq").substr(0, 33), std::string(33, '\0')) << "record 0";
  EXPECT_EQ(folder.ReadFile("Dat01.vq").substr(33 * 5, 33), "\x05zebra" + std::string(27, '\0'));
  EXPECT_EQ(folder.ReadFile("Dat03.vq").size(), 8u + 7 + 8 + 3);
  EXPECT_EQ(folder.ReadFile("Dat04.vq").size(), 16326u);
}

TEST(WriteDictionaryFiles, AFailedWriteLeavesTheOldFilesAsTheyWere) {
  TestFolder folder;
  WriteDictionaryFiles(folder.Path(), {{"old", " x"}});
  const std::string before = folder.ReadFile("Dat03.vq");
  std::filesystem::create_directory(folder / "Dat03.vq.new");  // cannot be created as a file
  EXPECT_THROW(WriteDictionaryFiles(folder.Path(), {{"new", " y"}}), std::runtime_error);
  EXPECT_EQ(folder.ReadFile("Dat03.vq"), before);
  EXPECT_EQ(TDictionary(folder.Path()).GetWord(1), "old");
  EXPECT_FALSE(std::filesystem::exists(folder / "Dat01.vq.new"));
}

std::map<std::string, std::string> FilesIn(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      std::ifstream in(entry.path(), std::ios::binary);
      files[entry.path().filename().string()] =
          std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    } else {
      files[entry.path().filename().string() + "/"] = "";
    }
  }
  return files;
}

// A move that fails halfway through the new files: the four old ones come back whole.
TEST(WriteDictionaryFiles, AFailedMoveBringsBackTheOldDictionary) {
  TestFolder folder;
  WriteDictionaryFiles(folder.Path(), {{"older", " x"}});
  WriteDictionaryFiles(folder.Path(), {{"old", " y"}, {"other", " z"}});
  const auto before = FilesIn(folder.Path());
  const auto kept = FilesIn(folder / PreviousFolderName);
  int moves = 0;
  const FileRename failingThird = [&moves](const auto& from, const auto& to) {
    if (from.extension() == ".new" && ++moves == 3) {
      throw std::runtime_error("cannot move " + from.string());
    }
    RenameFile(from, to);
  };
  EXPECT_THROW(WriteDictionaryFiles(folder.Path(), {{"new", " w"}}, failingThird),
               std::runtime_error);
  EXPECT_EQ(moves, 3);
  EXPECT_TRUE(FilesIn(folder.Path()) == before) << "no pending file, no staging folder left";
  EXPECT_TRUE(FilesIn(folder / PreviousFolderName) == kept);
  EXPECT_EQ(TDictionary(folder.Path()).GetWord(1), "old");
}

TEST(WriteDictionaryFiles, TheDictionaryReplacedIsKeptInPrevious) {
  TestFolder folder;
  WriteDictionaryFiles(folder.Path(), {{"first", " x"}});
  EXPECT_FALSE(std::filesystem::exists(folder / PreviousFolderName)) << "nothing was replaced";
  const auto first = FilesIn(folder.Path());
  WriteDictionaryFiles(folder.Path(), {{"second", " y"}});
  EXPECT_TRUE(FilesIn(folder / PreviousFolderName) == first);
  EXPECT_EQ(TDictionary(folder / PreviousFolderName).GetWord(1), "first");
  WriteDictionaryFiles(folder.Path(), {{"third", " z"}});
  EXPECT_EQ(TDictionary(folder / PreviousFolderName).GetWord(1), "second");
  EXPECT_EQ(TDictionary(folder.Path()).GetWord(1), "third");
}

#ifndef _WIN32
// A link planted where a pending file goes is never written through.
TEST(WriteDictionaryFiles, APlantedLinkIsNotWrittenThrough) {
  TestFolder folder;
  folder.WriteFile("victim", "precious");
  std::filesystem::create_symlink(folder / "victim", folder / "Dat03.vq.new");
  WriteDictionaryFiles(folder.Path(), {{"word", " x"}});
  EXPECT_EQ(folder.ReadFile("victim"), "precious");
  EXPECT_EQ(TDictionary(folder.Path()).GetMeaning(1), " x");
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(folder / "Dat03.vq.new")));
}
#endif

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

// A StarDict dictionary written the way its own tools write one.
struct StarDictWriter {
  std::string index;
  std::string dict;
  bool wideOffsets = false;
  int entries = 0;

  void Add(std::string_view word, std::string_view data) {
    ++entries;
    index.append(word);
    index += '\0';
    const auto put = [this](std::uint64_t value, int bytes) {
      for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        index += static_cast<char>((value >> shift) & 0xFF);
      }
    };
    put(dict.size(), wideOffsets ? 8 : 4);
    put(data.size(), 4);
    dict.append(data);
  }

  void Write(const TestFolder& folder, const std::string& name, const std::string& types,
             bool packed) const {
    std::string ifo = "StarDict's dict ifo file\nversion=2.4.2\nbookname=test\nwordcount=" +
                      std::to_string(entries) + "\n";
    if (!types.empty()) {
      ifo += "sametypesequence=" + types + "\n";
    }
    if (wideOffsets) {
      ifo += "idxoffsetbits=64\n";
    }
    folder.WriteFile(name + ".ifo", ifo);
    folder.WriteFile(name + ".idx", index);
    if (!packed) {
      folder.WriteFile(name + ".dict", dict);
      return;
    }
    gzFile file = gzopen((folder / (name + ".dict.dz")).string().c_str(), "wb");
    gzwrite(file, dict.data(), static_cast<unsigned>(dict.size()));
    gzclose(file);
  }
};

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
