#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "UnitDitionary.h"
#include "support/TestFolder.h"

namespace varkam {
namespace {

using namespace std::string_literals;

using testing::DictionaryLayout;
using testing::TestFolder;

TEST(CompareWords, FoldsOnlyAsciiLettersThenComparesUnsignedBytes) {
  EXPECT_EQ(CompareWords("apple", "APPLE"), 0);
  EXPECT_EQ(CompareWords("Apple", "apply"), -1);
  EXPECT_EQ(CompareWords("box", "Apple"), 1);
  EXPECT_EQ(CompareWords("stuff", "stuffy"), -1) << "a proper prefix sorts first";
  EXPECT_EQ(CompareWords("stuffy", "stuff"), 1);
  EXPECT_EQ(CompareWords("", ""), 0);
  EXPECT_EQ(CompareWords("", "a"), -1);
  // '_' (0x5F) lies above 'A' (0x41), and so above every folded letter.
  EXPECT_EQ(CompareWords("_", "a"), 1);
  EXPECT_EQ(CompareWords("z", "\xE9"), -1) << "bytes above 127 are unsigned";
  EXPECT_EQ(CompareWords("\xE9", "\xC9"), 1) << "only a-z are folded";
  EXPECT_EQ(CompareWords("\t", "a"), -1);
}

TEST(CompareWords, LooksAtTheFirst255CharactersOnly) {
  const std::string base(255, 'k');
  EXPECT_EQ(CompareWords(base + "a", base + "b"), 0);
  EXPECT_EQ(CompareWords(base + "a", base), 0);
  EXPECT_EQ(CompareWords(std::string(254, 'k') + "a", std::string(254, 'k') + "b"), -1);
}

TEST(StemWord, StripsTheFirstMatchingEnding) {
  const std::pair<const char*, const char*> cases[] = {
      {"studies", "study"}, {"running", "run"}, {"walking", "walk"}, {"seeing", "se"},
      {"falling", "fal"},   {"making", "mak"},  {"boxes", "box"},    {"quickly", "quick"},
      {"walked", "walk"},   {"used", "us"},     {"cats", "cat"},     {"happy", "happ"},
      {"STUDIES", "STUDy"}, {"RunNING", "Run"}, {"Boxes", "Box"},    {"es", ""},
      {"ies", "y"},         {"king", ""},       {"ing", "ing"},      {"bring", "br"},
      {"zebra", "zebra"},   {"", ""},           {"s", ""},           {"lied", "li"},
  };
  for (const auto& [word, stem] : cases) {
    EXPECT_EQ(StemWord(word), stem) << word;
  }
}

// The worked example's seventeen headwords, indexes 1 to 17.
DictionaryLayout SeventeenWords() {
  DictionaryLayout layout;
  for (const char* word : {"a", "apple", "apply", "box", "cat", "fly", "hop", "make", "quick",
                           "run", "see", "study", "stuff", "stuffy", "use", "walk", "zebra"}) {
    layout.entries.emplace_back(word, " x");
  }
  return layout;
}

class SeventeenWordLookup : public ::testing::Test {
 protected:
  SeventeenWordLookup() {
    WriteDictionary(folder_, SeventeenWords());
    opened_ = std::make_unique<TDictionary>(folder_.Path());
  }
  TDictionary& dictionary() { return *opened_; }
  TestFolder folder_;
  std::unique_ptr<TDictionary> opened_;
};

TEST_F(SeventeenWordLookup, ExactWordsPrefixesAndStemmedForms) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"making", 8},    {"studies", 12}, {"appl", 2},   {"apples", 2},  {"running", 10},
      {"stuffing", 13}, {"zebra", 17},   {"ZEBRA", 17}, {"Zebra", 17},  {"a", 1},
      {"walked", 16},   {"cats", 5},     {"st", 12},    {"stuffy", 14}, {"zebras", 17},
  };
  for (const auto& [text, index] : cases) {
    EXPECT_EQ(dictionary().FindWord(text), index) << text;
    EXPECT_EQ(dictionary().LastIndex(), index) << text;
  }
}

TEST_F(SeventeenWordLookup, TrimsSpacesOnly) {
  EXPECT_EQ(dictionary().FindWord(""), 1);
  EXPECT_EQ(dictionary().FindWord("    "), 1);
  EXPECT_EQ(dictionary().FindWord("  apple  "), 2);
  EXPECT_EQ(dictionary().FindWord("\tapple"), 1) << "a tab sorts before every letter";
  EXPECT_EQ(dictionary().FindWord("apple\t"), 3) << "a trailing tab is kept too";
}

TEST_F(SeventeenWordLookup, TextsBeyondEitherEnd) {
  EXPECT_EQ(dictionary().FindWord("zzzz"), 18);
  EXPECT_EQ(dictionary().FindWord("123"), 1);
  // "king" stems to the empty word; neither "" nor "e" hits, and the third search read
  // cat at index 5 last.
  EXPECT_EQ(dictionary().FindWord("king"), 5);
}

TEST(FindWord, TextsLongerThanAHeadwordOnlyHitThroughTheirStem) {
  const std::string longest(32, 'q');
  TestFolder folder;
  WriteDictionary(folder, {{{"a", " x"}, {longest, " y"}, {"r", " z"}}});
  TDictionary dictionary(folder.Path());
  EXPECT_EQ(dictionary.FindWord(longest), 2);
  EXPECT_EQ(dictionary.FindWord(longest + "s"), 2) << "its stem is the headword";
  EXPECT_EQ(dictionary.FindWord(longest + "x"), 3) << "no prefix test passes past 32";
}

TEST(FindWord, AnEmptyDictionaryAnswersOne) {
  TestFolder folder;
  WriteDictionary(folder, {});
  TDictionary dictionary(folder.Path());
  for (const char* text : {"", "a", "zzz", "running"}) {
    EXPECT_EQ(dictionary.FindWord(text), 1) << text;
  }
}

TEST(FindWord, WalksBackToTheFirstOfEqualHeadwords) {
  TestFolder folder;
  DictionaryLayout layout;
  for (int i = 1; i <= 100; ++i) {
    std::string word = i < 40 ? "b" : "p";
    word += std::to_string(1000 + i);
    if (i >= 40 && i <= 42) {
      word = i == 41 ? "Mango" : "mango";
    }
    layout.entries.emplace_back(word, " x");
  }
  WriteDictionary(folder, layout);
  TDictionary dictionary(folder.Path());
  EXPECT_EQ(dictionary.FindWord("mango"), 40);
  EXPECT_EQ(dictionary.FindWord("MANGO"), 40);
  EXPECT_EQ(dictionary.FindWord("mangoes"), 40) << "the stem hits the run too";
}

TEST(FindWord, AWalkBackThatReachesRecordZeroAnswersZero) {
  TestFolder folder;
  DictionaryLayout layout{{{"cat", " x"}, {"cat", " y"}, {"dog", " z"}}};
  layout.recordZero = "CAT";
  WriteDictionary(folder, layout);
  TDictionary dictionary(folder.Path());
  EXPECT_EQ(dictionary.FindWord("cat"), 0);
  EXPECT_EQ(dictionary.FindWord("dog"), 3);
}

TEST(FindWord, AKeyEqualToTheNullHeadwordStopsAtRecordZero) {
  TestFolder folder;
  DictionaryLayout layout{{{std::string(2, '\0'), " x"}, {"b", " y"}}};
  layout.recordZero = std::string(2, '\0');
  WriteDictionary(folder, layout);
  TDictionary dictionary(folder.Path());
  EXPECT_EQ(dictionary.FindWord(std::string(2, '\0')), 0);
}

// Over a large dictionary with runs of equal headwords, every headword and every prefix of one
// leads to the first headword that does not sort below it.
TEST(FindWord, AgreesWithASortedSearchOverManyWords) {
  std::mt19937 random(20261208);
  std::vector<std::string> words;
  for (int i = 0; i < 3000; ++i) {
    std::string word;
    const int length = 1 + static_cast<int>(random() % 12);
    for (int c = 0; c < length; ++c) {
      word += static_cast<char>((random() % 2 ? 'a' : 'A') + random() % 6);
    }
    words.push_back(word);
    if (random() % 10 == 0) {
      words.push_back(word);  // equal headwords stand next to each other
    }
  }
  std::stable_sort(words.begin(), words.end(),
                   [](const auto& a, const auto& b) { return CompareWords(a, b) < 0; });
  TestFolder folder;
  DictionaryLayout layout;
  for (const auto& word : words) {
    layout.entries.emplace_back(word, " x");
  }
  WriteDictionary(folder, layout);
  TDictionary dictionary(folder.Path());

  const auto firstNotBelow = [&](const std::string& text) {
    const auto found = std::lower_bound(
        words.begin(), words.end(), text,
        [](const std::string& a, const std::string& b) { return CompareWords(a, b) < 0; });
    return static_cast<std::int32_t>(found - words.begin()) + 1;
  };
  for (std::size_t i = 0; i < words.size(); i += 7) {
    const std::string& word = words[i];
    EXPECT_EQ(dictionary.FindWord(word), firstNotBelow(word)) << word;
    const std::string prefix = word.substr(0, (word.size() + 1) / 2);
    EXPECT_EQ(dictionary.FindWord(prefix), firstNotBelow(prefix)) << prefix;
  }
}

}  // namespace
}  // namespace varkam
