// The bundled dictionary as a reader meets it: the words that must always show their Persian
// first, looked up in the compiled files as the window looks them up.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "UnitDitionary.h"
#include "lib/Build.h"
#include "lib/Utf8.h"
#include "persian/PersianDecode.h"
#include "persian/PersianEncode.h"
#include "support/TestFolder.h"

namespace varkam::tools {
namespace {

// The first synonym of the first line of a meaning as the window shows it. A word-final yeh
// before the comma keeps the space the code page puts after it.
std::u16string FirstSense(const std::u16string& meaning) {
  const std::u16string line = meaning.substr(0, meaning.find(u'\r'));
  std::u16string first = line.substr(0, line.find(u'\u060C'));
  while (!first.empty() && first.back() == u' ') {
    first.pop_back();
  }
  return first;
}

TEST(BundledDictionary, CommonWordsShowTheirPersianFirst) {
  testing::TestFolder folder;
  BuildOptions options;
  options.inputs = {VARKAM_DICTIONARY_SOURCE};
  options.mergeCase = true;
  options.outputFolder = folder / "dictionary";
  std::ostringstream report;
  ASSERT_TRUE(BuildDictionary(options, report).wroteFiles) << report.str();
  TDictionary dictionary(folder / "dictionary");

  std::ifstream expectations(VARKAM_FIRST_SENSES);
  ASSERT_TRUE(expectations.is_open());
  int words = 0;
  for (std::string line; std::getline(expectations, line);) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    const std::string word = line.substr(0, line.find('\t'));
    const auto expected = Utf8ToUtf16(line.substr(line.find('\t') + 1));
    ASSERT_TRUE(expected) << line;
    const std::u16string persian = persian::CanonicalPersian(*expected);
    const std::int32_t index = dictionary.FindWord(word);
    EXPECT_TRUE(SameWord(dictionary.GetWord(index), word)) << word << " has an entry of its own";
    EXPECT_EQ(FirstSense(persian::PersianToUnicode(dictionary.GetMeaning(index))), persian) << word;
    ++words;
  }
  EXPECT_GE(words, 100);
}

// The vulgar list: its Persian lemmas, and the English words that may keep them.
struct VulgarList {
  std::vector<std::string> lemmas;
  std::set<std::string> keepers;
};

VulgarList ReadVulgarList() {
  VulgarList list;
  std::ifstream in(VARKAM_VULGAR_LEMMAS);
  const std::string keepersLine = "# English headwords that keep them:";
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(keepersLine, 0) == 0) {
      std::istringstream words(line.substr(keepersLine.size()));
      for (std::string word; words >> word;) {
        list.keepers.insert(word);
      }
    } else if (!line.empty() && line[0] != '#') {
      list.lemmas.push_back(line);
    }
  }
  return list;
}

// Whether `meaning` holds `lemma` as a word of its own (between spaces, non-joiners, commas,
// brackets and line breaks), not as letters of a longer word.
bool HoldsWord(const std::string& meaning, const std::string& lemma) {
  const auto boundary = [&](std::size_t at) {
    if (at == 0 || at >= meaning.size()) {
      return true;
    }
    static const std::string marks[] = {" ", "\u200C", "\u060C", "(", ")", "\\n"};
    for (const std::string& mark : marks) {
      if (meaning.compare(at, mark.size(), mark) == 0 ||
          (at >= mark.size() && meaning.compare(at - mark.size(), mark.size(), mark) == 0)) {
        return true;
      }
    }
    return false;
  };
  for (std::size_t at = meaning.find(lemma); at != std::string::npos;
       at = meaning.find(lemma, at + 1)) {
    if (boundary(at) && boundary(at + lemma.size())) {
      return true;
    }
  }
  return false;
}

// No vulgar Persian on an English word that is not vulgar. A word made with a vulgar one, and
// an inflected form of one, share its leave ("son of a bitch", "asses").
TEST(BundledDictionary, VulgarPersianOnlyOnVulgarWords) {
  const VulgarList list = ReadVulgarList();
  ASSERT_GT(list.lemmas.size(), 10u);
  ASSERT_GT(list.keepers.size(), 10u);
  const auto keeps = [&list](std::string headword) {
    for (char& c : headword) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    for (const std::string& keeper : list.keepers) {
      if (headword.find(keeper) != std::string::npos) {
        return true;
      }
    }
    return headword == "shat";  // the past of "shit"
  };
  std::ifstream source(VARKAM_DICTIONARY_SOURCE);
  ASSERT_TRUE(source.is_open());
  int checked = 0;
  for (std::string line; std::getline(source, line);) {
    const auto tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) {
      continue;
    }
    const std::string headword = line.substr(0, tab);
    if (keeps(headword)) {
      continue;
    }
    for (const std::string& lemma : list.lemmas) {
      EXPECT_FALSE(HoldsWord(line.substr(tab + 1), lemma)) << headword << ": " << lemma;
    }
    ++checked;
  }
  EXPECT_GT(checked, 40000);
}

}  // namespace
}  // namespace varkam::tools
