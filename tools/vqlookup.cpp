// vqlookup: the road of a typed word without the window. For each query prints
// INDEX<TAB>HEADWORD<TAB>MEANING: what FindWord answers, that headword, and its meaning as shown.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "UnitDitionary.h"
#include "lib/AnswerOutput.h"
#include "lib/DataFolder.h"
#include "lib/Paths.h"
#include "lib/TextFormat.h"
#include "lib/ToolMain.h"
#include "lib/Utf8.h"
#include "persian/PersianDecode.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

constexpr const char* Usage =
    "usage: vqlookup [-d DIR] [WORD...]\n"
    "  looks each WORD up in the dictionary in DIR (default: the current folder);\n"
    "  with no WORD, reads one query a line from standard input\n";

std::string LookUp(varkam::TDictionary& dictionary, const std::string& query) {
  using namespace varkam::tools;
  const std::int32_t index = dictionary.FindWord(query);
  const std::string headword = dictionary.GetWord(index);
  const std::u16string meaning = varkam::persian::PersianToUnicode(dictionary.GetMeaning(index));
  return std::to_string(index) + '\t' + EscapeControls(Windows1252ToUtf8(headword)) + '\t' +
         EscapeControls(Utf16ToUtf8(meaning)) + '\n';
}

// Answers each query of standard input, one a line. Reading it does not flush the answers each
// time; but before a read that would wait, the answers so far go out, so that a program that
// asks, waits for the answer and asks again is answered.
bool AnswerStandardInput(varkam::TDictionary& dictionary, varkam::tools::AnswerOutput& output) {
  std::ios::sync_with_stdio(false);
  std::cin.tie(nullptr);
  std::string line;
  bool written = true;
  while (written && (std::cin.rdbuf()->in_avail() > 0 || output.Flush()) &&
         std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    written = output.Write(LookUp(dictionary, line));
  }
  return written;
}

}  // namespace

int varkam::tools::RunTool(const std::vector<std::string>& arguments) {
  std::filesystem::path folder;
  std::size_t first = 1;
  const std::size_t count = arguments.size();
  if (count > 1 && (arguments[1] == "-h" || arguments[1] == "--help")) {
    std::cout << Usage;
    return 0;
  }
  if (count > 1 && arguments[1] == "-d") {
    if (count < 3) {
      std::cerr << "vqlookup: -d needs a folder\n" << Usage;
      return 2;
    }
    folder = PathFromUtf8(arguments[2]);
    first = 3;
  }
  if (const auto problem = DataFilesProblem(folder.empty() ? "." : folder)) {
    std::cerr << "vqlookup: " << *problem << '\n';
    return 2;
  }
  TDictionary dictionary(folder);
  if (dictionary.TakeMissingFlag()) {
    std::cerr << "Some file was not founded\n";
    return 2;
  }
  const bool fromArguments = first < count;
  AnswerOutput output(!fromArguments && isatty(fileno(stdin)) != 0,
                      "vqlookup: a data file in " +
                          MessageText(PathText(folder.empty() ? "." : folder)) +
                          " was cut short by another program while this ran; the answers before it "
                          "are written");
  bool written = true;
  for (std::size_t i = first; i < count && written; ++i) {
    written = output.Write(LookUp(dictionary, arguments[i]));
  }
  if (!fromArguments) {
    written = AnswerStandardInput(dictionary, output);
  }
  if (!output.Flush() || !written) {
    std::cerr << "vqlookup: the answers could not be written\n";
    return 2;
  }
  return 0;
}
