// vqlookup: the road of a typed word without the window. For each query prints
// INDEX<TAB>HEADWORD<TAB>MEANING: what FindWord answers, that headword, and its meaning as shown.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "UnitDitionary.h"
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

// Answers go out in large writes; a person at a terminal gets each answer as it is found.
class Output {
 public:
  explicit Output(bool interactive) : interactive_(interactive) {}

  bool Write(const std::string& line) {
    pending_ += line;
    return (interactive_ || pending_.size() >= BatchSize) ? Flush() : ok_;
  }

  bool Flush() {
    std::cout.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
    pending_.clear();
    ok_ = ok_ && static_cast<bool>(std::cout.flush());
    return ok_;
  }

 private:
  static constexpr std::size_t BatchSize = 64 * 1024;
  bool interactive_;
  bool ok_ = true;
  std::string pending_;
};

std::string LookUp(varkam::TDictionary& dictionary, const std::string& query) {
  using namespace varkam::tools;
  const std::int32_t index = dictionary.FindWord(query);
  const std::string headword = dictionary.GetWord(index);
  const std::u16string meaning = varkam::persian::PersianToUnicode(dictionary.GetMeaning(index));
  return std::to_string(index) + '\t' + EscapeControls(Windows1252ToUtf8(headword)) + '\t' +
         EscapeControls(Utf16ToUtf8(meaning)) + '\n';
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
  Output output(!fromArguments && isatty(fileno(stdin)) != 0);
  bool written = true;
  if (fromArguments) {
    for (std::size_t i = first; i < count && written; ++i) {
      written = output.Write(LookUp(dictionary, arguments[i]));
    }
  } else {
    // Reading standard input never waits on a flush of the answers.
    std::ios::sync_with_stdio(false);
    std::cin.tie(nullptr);
    std::string line;
    while (written && std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r') {
        line.pop_back();
      }
      written = output.Write(LookUp(dictionary, line));
    }
  }
  if (!output.Flush() || !written) {
    std::cerr << "vqlookup: the answers could not be written\n";
    return 2;
  }
  return 0;
}
