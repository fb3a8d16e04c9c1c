// vqlookup: the road of a typed word without the window. For each query prints
// INDEX<TAB>HEADWORD<TAB>MEANING: what FindWord answers, that headword, and its meaning as shown.

#include <cstring>
#include <iostream>
#include <string>

#include "UnitDitionary.h"
#include "lib/TextFormat.h"
#include "lib/Utf8.h"
#include "persian/PersianDecode.h"

namespace {

constexpr const char* Usage =
    "usage: vqlookup [-d DIR] [WORD...]\n"
    "  looks each WORD up in the dictionary in DIR (default: the current folder);\n"
    "  with no WORD, reads one query a line from standard input\n";

void LookUp(varkam::TDictionary& dictionary, const std::string& query) {
  using namespace varkam::tools;
  const std::int32_t index = dictionary.FindWord(query);
  const std::string headword = dictionary.GetWord(index);
  const std::u16string meaning = varkam::persian::PersianToUnicode(dictionary.GetMeaning(index));
  std::cout << index << '\t' << EscapeControls(Windows1252ToUtf8(headword)) << '\t'
            << EscapeControls(Utf16ToUtf8(meaning)) << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path folder;
  int first = 1;
  if (argc > 1 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
    std::cout << Usage;
    return 0;
  }
  if (argc > 2 && std::strcmp(argv[1], "-d") == 0) {
    folder = argv[2];
    first = 3;
  }
  varkam::TDictionary dictionary(folder);
  if (dictionary.TakeMissingFlag()) {
    std::cerr << "Some file was not founded\n";
    return 2;
  }
  if (first < argc) {
    for (int i = first; i < argc; ++i) {
      LookUp(dictionary, argv[i]);
    }
    return 0;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    LookUp(dictionary, line);
  }
  return 0;
}
