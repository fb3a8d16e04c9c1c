// vqdump: writes a dictionary's four data files back as source text, one
// "headword<TAB>meaning" line an entry in index order, for vqbuild to compile again.

#include <iostream>

#include "UnitDitionary.h"
#include "lib/AnswerOutput.h"
#include "lib/DataFolder.h"
#include "lib/Paths.h"
#include "lib/TextFormat.h"
#include "lib/ToolMain.h"
#include "persian/PersianDecode.h"

int varkam::tools::RunTool(const std::vector<std::string>& arguments) {
  std::filesystem::path folder;
  const std::size_t count = arguments.size();
  if (count == 3 && arguments[1] == "-d") {
    folder = PathFromUtf8(arguments[2]);
  } else if (count != 1) {
    std::cerr << "usage: vqdump [-d DIR]\n"
                 "  writes the dictionary in DIR (default: the current folder) as source text\n";
    return count == 2 && (arguments[1] == "-h" || arguments[1] == "--help") ? 0 : 2;
  }
  if (const auto problem = DataFilesProblem(folder.empty() ? "." : folder)) {
    std::cerr << "vqdump: " << *problem << '\n';
    return 2;
  }
  TDictionary dictionary(folder);
  if (dictionary.TakeMissingFlag()) {
    std::cerr << "Some file was not founded\n";
    return 2;
  }
  AnswerOutput output(false, "vqdump: a data file in " +
                                 MessageText(PathText(folder.empty() ? "." : folder)) +
                                 " was cut short by another program while this ran; the entries "
                                 "before it are written");
  bool written = true;
  for (std::int32_t index = 1; index <= dictionary.WordCount() && written; ++index) {
    const std::string headword = dictionary.GetWord(index);
    const std::u16string meaning = persian::PersianToUnicode(dictionary.GetMeaning(index));
    written = output.Write(FormatTextLine(headword, meaning) + '\n');
  }
  if (!output.Flush() || !written) {
    std::cerr << "vqdump: the source text could not be written\n";
    return 2;
  }
  return 0;
}
