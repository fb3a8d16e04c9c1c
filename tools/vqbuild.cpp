// vqbuild: compiles source texts ("headword<TAB>meaning" lines) and StarDict dictionaries into
// the four data files "Dat01.vq" to "Dat04.vq".

#include <chrono>
#include <iostream>
#include <new>
#include <string>
#include <variant>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

#include "lib/Build.h"
#include "lib/Paths.h"
#include "lib/TextFormat.h"
#include "lib/ToolMain.h"

namespace {

constexpr const char* Usage =
    "usage: vqbuild [--skip-bad] [--merge-case] [--wait SECONDS] [-o DIR] INPUT...\n"
    "  INPUT     a source text (UTF-8, or UTF-16 with its byte order mark), one\n"
    "            \"headword<TAB>meaning\" a line, or a StarDict .ifo\n"
    "  -o DIR    where to write Dat01.vq to Dat04.vq (default: the current folder)\n"
    "  --skip-bad  report bad lines and leave them out instead of failing\n"
    "  --merge-case  join the meanings of headwords that differ only in letter case into\n"
    "              one entry (the lookup reaches only the first of them)\n"
    "  --wait SECONDS  how long to wait while another build writes into DIR (default 60)\n"
    "  A file dropped onto vqbuild.exe compiles into the program's folder.\n";

// What one build says, and its exit code.
int Build(const varkam::tools::BuildOptions& options) {
  using namespace varkam::tools;
  try {
    const auto result = BuildDictionary(options, std::cerr);
    if (!result.wroteFiles) {
      std::cerr << "vqbuild: " << result.badLines << " bad line"
                << (result.badLines == 1 ? "" : "s")
                << ", nothing written (--skip-bad leaves bad lines out)\n";
      return 1;
    }
    std::cout << "vqbuild: " << result.written << " entries written to "
              << PathText(options.outputFolder) << " (" << result.distinctMeanings
              << " distinct meanings), " << result.badLines << " skipped\n";
    return 0;
  } catch (const std::bad_alloc&) {
    std::cerr << "vqbuild: out of memory: the inputs are too large to compile on this machine; "
                 "the output folder is as it was\n";
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "vqbuild: " << MessageText(error.what()) << '\n';
    return 2;
  }
}

struct Arguments {
  varkam::tools::BuildOptions options;
  bool outputGiven = false;
};

// The options the arguments give; an exit code instead where they give none to build with.
std::variant<Arguments, int> ReadArguments(const std::vector<std::string>& arguments) {
  using namespace varkam::tools;
  Arguments read;
  BuildOptions& options = read.options;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool valued = i + 1 < arguments.size();
    if (argument == "--skip-bad") {
      options.skipBad = true;
    } else if (argument == "--merge-case") {
      options.mergeCase = true;
    } else if (argument == "--wait" && valued) {
      const std::string& seconds = arguments[++i];
      if (seconds.empty() || seconds.size() > 5 ||
          seconds.find_first_not_of("0123456789") != std::string::npos) {
        std::cerr << "vqbuild: --wait takes a whole number of seconds, not " << MessageText(seconds)
                  << '\n'
                  << Usage;
        return 2;
      }
      options.lockWait = std::chrono::seconds(std::stoi(seconds));
    } else if (argument == "-o" && valued) {
      options.outputFolder = PathFromUtf8(arguments[++i]);
      read.outputGiven = true;
    } else if (argument == "-h" || argument == "--help") {
      std::cout << Usage;
      return 0;
    } else if (argument.size() > 1 && argument[0] == '-') {
      std::cerr << "vqbuild: unknown option " << MessageText(argument) << '\n' << Usage;
      return 2;
    } else {
      options.inputs.push_back(PathFromUtf8(argument));
    }
  }
  return read;
}

}  // namespace

int varkam::tools::RunTool(const std::vector<std::string>& arguments) {
  auto read = ReadArguments(arguments);
  if (const int* code = std::get_if<int>(&read)) {
    return *code;
  }
  BuildOptions& options = std::get<Arguments>(read).options;
  // A file dropped onto the program compiles into the program's folder, and the window stays
  // until the user has read what happened.
  const bool ownWindow = HasConsoleOfItsOwn();
  if (ownWindow && !std::get<Arguments>(read).outputGiven) {
    options.outputFolder = ProgramFolder();
  }
  int code = 2;
  if (options.inputs.empty()) {
    std::cerr << Usage;
  } else {
    if (isatty(fileno(stderr))) {
      options.progress = &std::cerr;
    }
    code = Build(options);
  }
  if (ownWindow) {
    WaitForKey();
  }
  return code;
}
