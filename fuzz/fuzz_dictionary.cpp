// TDictionary over arbitrary bytes in its four data files: every operation, and FindWord on
// arbitrary text, must stay within its bounds.

#include <cstdlib>

#include "FuzzFiles.h"
#include "UnitDitionary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) {
    return 0;
  }
  // The first byte says how long the searched text is; it comes from the end of the input.
  const std::size_t textLength = std::min<std::size_t>(data[0], size - 1);
  const std::string text(reinterpret_cast<const char*>(data + size - textLength), textLength);
  varkam::fuzz::SplitIntoFiles(data + 1, size - 1 - textLength,
                               {"Dat02.vq", "Dat03.vq", "Dat04.vq", "Dat01.vq"});
  varkam::TDictionary dictionary(varkam::fuzz::ScratchFolder());
  dictionary.TakeMissingFlag();
  const std::int32_t count = dictionary.WordCount();
  if (count < 0) {
    std::abort();
  }
  const std::int32_t found = dictionary.FindWord(text);
  if (found < 0 || found > count + 1) {
    std::abort();
  }
  for (const std::int32_t index : {found, 0, 1, count, count + 1, -1, INT32_MAX, INT32_MIN}) {
    if (dictionary.GetWord(index).size() > varkam::MaxWordLength ||
        dictionary.GetMeaning(index).size() > varkam::MaxMeaningLength) {
      std::abort();
    }
  }
  return 0;
}
