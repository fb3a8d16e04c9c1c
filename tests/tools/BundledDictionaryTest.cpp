// The bundled dictionary as a reader meets it: the words that must always show their Persian
// first, looked up in the compiled files as the window looks them up.

#include <gtest/gtest.h>

#include <fstream>
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
    EXPECT_EQ(FirstSense(persian::PersianToUnicode(dictionary.GetMeaning(index))), persian)
        << word;
    ++words;
  }
  EXPECT_GE(words, 100);
}

}  // namespace
}  // namespace varkam::tools
