#include <gtest/gtest.h>

#include <fstream>

#include "UnitDitionary.h"
#include "platform/NewFile.h"
#include "support/TestFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#endif

namespace varkam {
namespace {

using namespace std::string_literals;

using testing::DictionaryLayout;
using testing::Int32Bytes;
using testing::MeaningRecord;
using testing::TestFolder;
using testing::WordRecord;

const std::string NullHeadword(2, '\0');

DictionaryLayout ThreeWords() {
  return {{{"apple", "\x20\xA4"}, {"box", "\x20\xF2"}, {"cat", ""}}};
}

TEST(DictionaryFiles, AllFourPresentRaiseNoFlag) {
  TestFolder folder;
  WriteDictionary(folder, ThreeWords());
  TDictionary dictionary(folder.Path());
  EXPECT_FALSE(dictionary.TakeMissingFlag());
  EXPECT_EQ(dictionary.WordCount(), 3);
}

class MissingDataFile : public ::testing::TestWithParam<const char*> {};

TEST_P(MissingDataFile, RaisesTheFlagOnceAndStillYieldsAnObject) {
  TestFolder folder;
  WriteDictionary(folder, ThreeWords());
  std::filesystem::remove(folder / GetParam());
  TDictionary dictionary(folder.Path());
  EXPECT_TRUE(dictionary.TakeMissingFlag());
  EXPECT_FALSE(dictionary.TakeMissingFlag());
  // What is there can still be read; what is missing reads as nothing.
  const std::string missing = GetParam();
  EXPECT_EQ(dictionary.GetWord(2), missing == "Dat01.vq" ? NullHeadword : "box");
  EXPECT_EQ(dictionary.FindWord("box"), missing == "Dat01.vq" || missing == "Dat02.vq" ? 1 : 2)
      << "no headwords, or no count of them: the first index";
  EXPECT_EQ(dictionary.GetMeaning(2),
            missing == "Dat02.vq" || missing == "Dat03.vq" ? "" : "\x20\xF2");
  EXPECT_FALSE(std::filesystem::exists(folder / GetParam())) << "a missing file is never created";
}

INSTANTIATE_TEST_SUITE_P(EachFile, MissingDataFile,
                         ::testing::Values("Dat01.vq", "Dat02.vq", "Dat03.vq", "Dat04.vq"));

TEST(DictionaryFiles, NoFilesAtAllGiveAnEmptyDictionary) {
  TestFolder folder;
  TDictionary dictionary(folder.Path());
  EXPECT_TRUE(dictionary.TakeMissingFlag());
  EXPECT_EQ(dictionary.WordCount(), 0);
  EXPECT_EQ(dictionary.GetWord(1), NullHeadword);
  EXPECT_EQ(dictionary.GetMeaning(1), "");
  EXPECT_EQ(dictionary.FindWord("anything"), 1);
}

TEST(WordCount, ReadFromTheFirstFourBytesLittleEndian) {
  TestFolder folder;
  std::string words = WordRecord("");
  std::string offsets = "\x10\x27\x00\x00"s;
  for (int i = 1; i <= 10000; ++i) {
    words += WordRecord("w" + std::to_string(100000 + i));
    offsets += Int32Bytes(0);
  }
  folder.WriteFile("Dat01.vq", words);
  folder.WriteFile("Dat02.vq", offsets);
  folder.WriteFile("Dat03.vq", MeaningRecord(" x"));
  folder.WriteFile("Dat04.vq", "");
  EXPECT_EQ(TDictionary(folder.Path()).WordCount(), 10000);
}

// A count the files cannot back is cut to the records both index files hold.
TEST(WordCount, IsClampedToWhatTheFilesHold) {
  TestFolder folder;
  WriteDictionary(folder, ThreeWords());
  const std::string offsets = folder.ReadFile("Dat02.vq");
  const std::string words = folder.ReadFile("Dat01.vq");

  folder.WriteFile("Dat02.vq", Int32Bytes(10000) + offsets.substr(4));
  EXPECT_EQ(TDictionary(folder.Path()).WordCount(), 3);

  folder.WriteFile("Dat02.vq", Int32Bytes(-5) + offsets.substr(4));
  EXPECT_EQ(TDictionary(folder.Path()).WordCount(), 0);

  folder.WriteFile("Dat02.vq", Int32Bytes(3) + offsets.substr(4, 8));  // two offsets only
  EXPECT_EQ(TDictionary(folder.Path()).WordCount(), 2);

  folder.WriteFile("Dat02.vq", offsets);
  folder.WriteFile("Dat01.vq", words.substr(0, 33 * 2 + 20));  // record 1 and part of record 2
  EXPECT_EQ(TDictionary(folder.Path()).WordCount(), 1);

  folder.WriteFile("Dat02.vq", "\x03\x00"s);  // a count cut short reads its missing bytes as 0
  EXPECT_EQ(TDictionary(folder.Path()).WordCount(), 0);
}

// Files as large as a claim of 2,147,483,647 headwords needs (sparse, so nothing is written):
// the count stops at the records that start below 2 GiB, and the lookup's bound past the last
// headword still fits.
TEST(WordCount, AClaimOfEveryIndexStopsWhereTheFormatEnds) {
  TestFolder folder;
  WriteDictionary(folder, ThreeWords());
  folder.WriteFile("Dat02.vq", Int32Bytes(INT32_MAX) + folder.ReadFile("Dat02.vq").substr(4));
  std::error_code error;
  std::filesystem::resize_file(folder / "Dat01.vq", std::uintmax_t{1} << 37, error);
  if (!error) {
    std::filesystem::resize_file(folder / "Dat02.vq", std::uintmax_t{1} << 33, error);
  }
  if (error) {
    GTEST_SKIP() << "no room for sparse files here: " << error.message();
  }
  TDictionary dictionary(folder.Path(), platform::FileAccess::Positional);
  EXPECT_EQ(dictionary.WordCount(), INT32_MAX / 33);
  EXPECT_EQ(dictionary.FindWord("zzzz"), INT32_MAX / 33 + 1);
}

// Every read gives the same answer through a view of the file as through read calls.
class GetWord : public ::testing::TestWithParam<platform::FileAccess> {};
class GetMeaning : public ::testing::TestWithParam<platform::FileAccess> {};
class ReservedBlock : public ::testing::TestWithParam<platform::FileAccess> {};
class SharedFiles : public ::testing::TestWithParam<platform::FileAccess> {};

TEST_P(GetWord, ReadsRecordsByIndexAndSetsLastIndex) {
  TestFolder folder;
  DictionaryLayout layout = ThreeWords();
  layout.recordZero = "zero";
  WriteDictionary(folder, layout);
  TDictionary dictionary(folder.Path(), GetParam());

  EXPECT_EQ(dictionary.GetWord(2), "box");
  EXPECT_EQ(dictionary.LastIndex(), 2);
  EXPECT_EQ(dictionary.GetWord(0), "zero");
  EXPECT_EQ(dictionary.LastIndex(), 0);
  EXPECT_EQ(dictionary.GetWord(3), "cat");

  EXPECT_EQ(dictionary.GetWord(-1), NullHeadword);
  EXPECT_EQ(dictionary.LastIndex(), 3) << "a record that cannot be positioned leaves LastIndex";
}

TEST_P(GetWord, LengthByteIsLimitedTo32) {
  TestFolder folder;
  WriteDictionary(folder, ThreeWords());
  const std::string long32(32, 'q');
  std::string words = folder.ReadFile("Dat01.vq");
  words.replace(33, 33, WordRecord(long32, 40));
  words.replace(66, 33, WordRecord("box", 0));
  folder.WriteFile("Dat01.vq", words);
  TDictionary dictionary(folder.Path(), GetParam());
  EXPECT_EQ(dictionary.GetWord(1), long32);
  EXPECT_EQ(dictionary.GetWord(2), "");
}

TEST_P(GetWord, PastTheEndIsEmptyAndNeverShowsAnEarlierRead) {
  TestFolder folder;
  WriteDictionary(folder, {{{"abcdefghijklmnopqrstuvwxyz", " x"}, {"cat", " y"}}});
  // The last record is cut short: its length byte says 5, two characters are there.
  std::string words = folder.ReadFile("Dat01.vq");
  words.resize(66);
  words +=
      "\x05"
      "ca";
  folder.WriteFile("Dat01.vq", words);
  TDictionary dictionary(folder.Path(), GetParam());

  EXPECT_EQ(dictionary.GetWord(1), "abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(dictionary.GetWord(2), "ca\0\0\0"s);
  EXPECT_EQ(dictionary.GetWord(3), "");
  EXPECT_EQ(dictionary.LastIndex(), 3);
  EXPECT_EQ(dictionary.GetWord(1000000), "");
}

TEST_P(GetWord, OffsetsAtTwoGibibytesOrBeyondAreFailedMoves) {
  TestFolder folder;
  WriteDictionary(folder, ThreeWords());
  TDictionary dictionary(folder.Path(), GetParam());
  dictionary.GetWord(1);
  const std::int32_t lastInRange = INT32_MAX / 33;  // its record starts below 2 GiB
  EXPECT_EQ(dictionary.GetWord(lastInRange), "");
  EXPECT_EQ(dictionary.LastIndex(), lastInRange);
  EXPECT_EQ(dictionary.GetWord(lastInRange + 1), NullHeadword);
  EXPECT_EQ(dictionary.GetWord(INT32_MAX), NullHeadword);
  EXPECT_EQ(dictionary.GetWord(INT32_MIN), NullHeadword);
  EXPECT_EQ(dictionary.LastIndex(), lastInRange);
}

TEST_P(GetMeaning, ReadsTheLengthThenTheTextAndCutsAtByteZero) {
  TestFolder folder;
  const std::string longest(255, '\xA4');
  WriteDictionary(folder, {{{"a", ""},
                            {"b", "\x20\x92\x00\x93"s},
                            {"c", longest},
                            {"d", "\x20\xF2"},
                            {"e", "x"},
                            {"f", "y"},
                            {"g", "\x20\xA4\x0D\x0A\x90"}}});
  TDictionary dictionary(folder.Path(), GetParam());
  EXPECT_EQ(dictionary.GetMeaning(1), "");
  EXPECT_EQ(dictionary.GetMeaning(2), "\x20\x92");
  EXPECT_EQ(dictionary.GetMeaning(3), longest);
  EXPECT_EQ(dictionary.GetMeaning(4), "\x20\xF2");
  EXPECT_EQ(dictionary.GetMeaning(7), "\x20\xA4\x0D\x0A\x90");
  EXPECT_EQ(dictionary.LastIndex(), 7);
}

TEST_P(GetMeaning, SharedOffsetsAndAnyOrderInTheTextFile) {
  TestFolder folder;
  WriteDictionary(folder, ThreeWords());
  folder.WriteFile("Dat02.vq", Int32Bytes(3) + Int32Bytes(4) + Int32Bytes(0) + Int32Bytes(4));
  folder.WriteFile("Dat03.vq", MeaningRecord("one") + MeaningRecord("two"));
  TDictionary dictionary(folder.Path(), GetParam());
  EXPECT_EQ(dictionary.GetMeaning(1), "two");
  EXPECT_EQ(dictionary.GetMeaning(2), "one");
  EXPECT_EQ(dictionary.GetMeaning(3), "two");
}

TEST_P(GetMeaning, WhatLiesPastTheEndIsEmptyOrCutAndNothingEarlierShows) {
  TestFolder folder;
  WriteDictionary(folder, {{{"a", ""}, {"b", ""}, {"c", ""}, {"d", ""}, {"e", ""}}});
  // 1: a long meaning; 2: a meaning whose text runs past the end of the file; 3: an offset
  // past the end of the text file; 4: a negative offset; 5: an offset slot cut short.
  const std::string longText(200, '\xA8');
  std::string texts = MeaningRecord(longText);
  const auto cutOffset = static_cast<std::int32_t>(texts.size());
  texts +=
      "\x0A"
      "abc";
  folder.WriteFile("Dat03.vq", texts);
  folder.WriteFile("Dat02.vq", Int32Bytes(5) + Int32Bytes(0) + Int32Bytes(cutOffset) +
                                   Int32Bytes(100000) + Int32Bytes(-7) + "\x00\x00"s);
  TDictionary dictionary(folder.Path(), GetParam());
  ASSERT_EQ(dictionary.WordCount(), 4);

  for (const std::int32_t index : {2, 3, 4, 5, 6, -1, INT32_MAX, INT32_MAX / 4 + 1}) {
    EXPECT_EQ(dictionary.GetMeaning(1), longText);
    EXPECT_EQ(dictionary.GetMeaning(index), index == 2 ? "abc" : "") << index;
    EXPECT_EQ(dictionary.LastIndex(), index);
  }
}

TEST_P(ReservedBlock, HoldsTheFirstBytesOfTheFourthFile) {
  TestFolder folder;
  DictionaryLayout layout = ThreeWords();
  layout.fourth = std::string(16326, '\x11') + "tail";
  WriteDictionary(folder, layout);
  {
    TDictionary dictionary(folder.Path(), GetParam());
    const auto block = dictionary.ReservedBlock();
    EXPECT_EQ(std::count(block.begin(), block.end(), 0x11), 16326);
  }
  folder.WriteFile("Dat04.vq", "ab");
  TDictionary dictionary(folder.Path(), GetParam());
  const auto block = dictionary.ReservedBlock();
  EXPECT_EQ(block[0], 'a');
  EXPECT_EQ(block[1], 'b');
  EXPECT_EQ(std::count(block.begin(), block.end(), 0), 16324);
}

// The files stay open all the dictionary's life, shared so that others may rewrite them.
TEST_P(SharedFiles, OthersMayRewriteTheFilesWhileTheyAreOpen) {
  TestFolder folder;
  WriteDictionary(folder, ThreeWords());
  TDictionary dictionary(folder.Path(), GetParam());
  {
    std::fstream text(folder / "Dat03.vq", std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(text.is_open());
    text.seekp(1);
    text.put('\x21');
  }
  EXPECT_EQ(dictionary.GetMeaning(1), "\x21\xA4");
}

// A build moves the open files aside and puts new ones in their place: the open dictionary
// goes on reading the files it opened, and a new one reads the new files.
TEST_P(SharedFiles, OthersMayMoveTheFilesAsideWhileTheyAreOpen) {
  TestFolder folder;
  WriteDictionary(folder, ThreeWords());
  TDictionary dictionary(folder.Path(), GetParam());
  std::filesystem::create_directory(folder / "previous");
  TestFolder replacement;
  WriteDictionary(replacement, {{{"zebra", "\x20\xA2"}}});
  for (const char* name : {"Dat01.vq", "Dat02.vq", "Dat03.vq", "Dat04.vq"}) {
    std::error_code error;
    std::filesystem::rename(folder / name, folder / "previous" / name, error);
    ASSERT_FALSE(error) << name << ": " << error.message();
    std::filesystem::copy_file(replacement / name, folder / name);
  }
  EXPECT_EQ(dictionary.GetWord(2), "box");
  EXPECT_EQ(dictionary.GetMeaning(1), "\x20\xA4");
  EXPECT_EQ(TDictionary(folder.Path(), GetParam()).GetWord(1), "zebra");
}

std::string AccessName(const ::testing::TestParamInfo<platform::FileAccess>& access) {
  return access.param == platform::FileAccess::Mapped ? "Mapped" : "Positional";
}
const auto BothAccesses =
    ::testing::Values(platform::FileAccess::Mapped, platform::FileAccess::Positional);
INSTANTIATE_TEST_SUITE_P(Access, GetWord, BothAccesses, AccessName);
INSTANTIATE_TEST_SUITE_P(Access, GetMeaning, BothAccesses, AccessName);
INSTANTIATE_TEST_SUITE_P(Access, ReservedBlock, BothAccesses, AccessName);
INSTANTIATE_TEST_SUITE_P(Access, SharedFiles, BothAccesses, AccessName);

// A view is the file as it was opened: a rewrite in place shows, a part added later does not
// (read calls see it); a file that cannot be mapped (empty, or not a plain file) is read by
// read calls.
TEST(ReadOnlyFile, AViewIsTheFileAsItWasOpened) {
  TestFolder folder;
  folder.WriteFile("grows", "abc");
  platform::ReadOnlyFile mapped(folder / "grows");
  platform::ReadOnlyFile positional(folder / "grows", platform::FileAccess::Positional);
  ASSERT_TRUE(mapped.IsMapped());
  {
    std::ofstream more(folder / "grows", std::ios::app | std::ios::binary);
    more << "defgh";
  }
  std::array<std::uint8_t, 6> bytes{};
  EXPECT_EQ(mapped.ReadAt(1, bytes), 2u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 2), "bc");
  EXPECT_EQ(mapped.ReadAt(3, bytes), 0u);
  EXPECT_EQ(mapped.ReadAt(platform::ReadOnlyFile::MaxOffset, bytes), 0u);
  EXPECT_EQ(mapped.ReadAt(platform::ReadOnlyFile::MaxOffset + 1, bytes), std::nullopt);
  EXPECT_EQ(positional.ReadAt(1, bytes), 6u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "bcdefg");
}

TEST(ReadOnlyFile, FilesWithoutAViewAreReadByReadCalls) {
  TestFolder folder;
  folder.WriteFile("empty", "");
  platform::ReadOnlyFile empty(folder / "empty");
  EXPECT_TRUE(empty.IsOpen());
  EXPECT_FALSE(empty.IsMapped());
  std::array<std::uint8_t, 4> bytes{};
  EXPECT_EQ(empty.ReadAt(0, bytes), 0u);

  folder.WriteFile("plain", "abcd");
  platform::ReadOnlyFile plain(folder / "plain", platform::FileAccess::Positional);
  EXPECT_FALSE(plain.IsMapped());
  EXPECT_EQ(plain.ReadAt(0, bytes), 4u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abcd");
}

#ifndef _WIN32
int OpenDescriptors() {
  int count = 0;
  if (DIR* folder = opendir("/proc/self/fd")) {
    while (readdir(folder) != nullptr) {
      ++count;
    }
    closedir(folder);
  }
  return count;
}
#endif

// A new file is written whole, and only where nothing of its name is: not over a file, not
// through a link, not into a folder.
TEST(NewFile, IsWrittenWholeAndOnlyWhereNothingIs) {
  TestFolder folder;
  EXPECT_FALSE(platform::WriteNewFile(folder / "new", std::string("a\0b", 3)));
  EXPECT_EQ(folder.ReadFile("new"), std::string("a\0b", 3));
  const auto again = platform::WriteNewFile(folder / "new", "other");
  ASSERT_TRUE(again);
  EXPECT_EQ(again->stage, platform::NewFileFailure::Stage::Create);
  EXPECT_EQ(folder.ReadFile("new"), std::string("a\0b", 3)) << "the file there is kept";
  std::filesystem::create_directory(folder / "folder");
  EXPECT_TRUE(platform::WriteNewFile(folder / "folder", "x"));
  EXPECT_TRUE(platform::WriteNewFile(folder / "missing" / "new", "x"));
#ifndef _WIN32
  std::filesystem::create_symlink(folder / "target", folder / "link");
  EXPECT_TRUE(platform::WriteNewFile(folder / "link", "x"));
  EXPECT_FALSE(std::filesystem::exists(folder / "target")) << "never written through a link";
#endif
}

TEST(DictionaryFiles, DestructionClosesTheOpenFiles) {
  TestFolder folder;
  WriteDictionary(folder, ThreeWords());
  std::filesystem::remove(folder / "Dat02.vq");
#ifndef _WIN32
  const int before = OpenDescriptors();
  {
    TDictionary dictionary(folder.Path());
    EXPECT_EQ(OpenDescriptors(), before + 3);
  }
  EXPECT_EQ(OpenDescriptors(), before);
#else
  // A file opens for nobody else only when no handle to it is open any more.
  const auto openedAlone = [&folder](const char* name) {
    const HANDLE file = CreateFileW((folder / name).c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      return false;
    }
    CloseHandle(file);
    return true;
  };
  {
    TDictionary dictionary(folder.Path());
    EXPECT_FALSE(openedAlone("Dat01.vq"));
  }
  for (const char* name : {"Dat01.vq", "Dat03.vq", "Dat04.vq"}) {
    EXPECT_TRUE(openedAlone(name)) << name;
  }
#endif
  for (const char* name : {"Dat01.vq", "Dat03.vq", "Dat04.vq"}) {
    EXPECT_TRUE(std::filesystem::remove(folder / name)) << name;
  }
}

}  // namespace
}  // namespace varkam
