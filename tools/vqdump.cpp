// vqdump: writes a dictionary's four data files back as source text, one
// "headword<TAB>meaning" line an entry in index order, for vqbuild to compile again.

#include <cstring>
#include <iostream>

#include "UnitDitionary.h"
#include "lib/DataFolder.h"
#include "lib/TextFormat.h"
#include "persian/PersianDecode.h"

int main(int argc, char** argv) {
  std::filesystem::path folder;
  if (argc == 3 && std::strcmp(argv[1], "-d") == 0) {
    folder = argv[2];
  } else if (argc != 1) {
    std::cerr << "usage: vqdump [-d DIR]\n"
                 "  writes the dictionary in DIR (default: the current folder) as source text\n";
    return argc == 2 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)
               ? 0
               : 2;
  }
  if (const auto problem = varkam::tools::DataFilesProblem(folder.empty() ? "." : folder)) {
    std::cerr << "vqdump: " << *problem << '\n';
    return 2;
  }
  varkam::TDictionary dictionary(folder);
  if (dictionary.TakeMissingFlag()) {
    std::cerr << "Some file was not founded\n";
    return 2;
  }
  std::ios::sync_with_stdio(false);
  for (std::int32_t index = 1; index <= dictionary.WordCount(); ++index) {
    const std::string headword = dictionary.GetWord(index);
    const std::u16string meaning = varkam::persian::PersianToUnicode(dictionary.GetMeaning(index));
    std::cout << varkam::tools::FormatTextLine(headword, meaning) << '\n';
  }
  std::cout.flush();
  return std::cout ? 0 : 2;
}
