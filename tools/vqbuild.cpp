// vqbuild: compiles source texts ("headword<TAB>meaning" lines) and StarDict dictionaries into
// the four data files "Dat01.vq" to "Dat04.vq".

#include <unistd.h>

#include <cstring>
#include <iostream>

#include "lib/Build.h"
#include "lib/TextFormat.h"

namespace {

constexpr const char* Usage =
    "usage: vqbuild [--skip-bad] [--merge-case] [-o DIR] INPUT...\n"
    "  INPUT     a UTF-8 source text, one \"headword<TAB>meaning\" a line, or a StarDict .ifo\n"
    "  -o DIR    where to write Dat01.vq to Dat04.vq (default: the current folder)\n"
    "  --skip-bad  report bad lines and leave them out instead of failing\n"
    "  --merge-case  join the meanings of headwords that differ only in letter case into\n"
    "              one entry (the lookup reaches only the first of them)\n";

}  // namespace

int main(int argc, char** argv) {
  varkam::tools::BuildOptions options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--skip-bad") == 0) {
      options.skipBad = true;
    } else if (std::strcmp(argv[i], "--merge-case") == 0) {
      options.mergeCase = true;
    } else if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
      options.outputFolder = argv[++i];
    } else if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
      std::cout << Usage;
      return 0;
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      std::cerr << "vqbuild: unknown option " << argv[i] << '\n' << Usage;
      return 2;
    } else {
      options.inputs.emplace_back(argv[i]);
    }
  }
  if (options.inputs.empty()) {
    std::cerr << Usage;
    return 2;
  }
  if (isatty(STDERR_FILENO)) {
    options.progress = &std::cerr;
  }
  try {
    const auto result = varkam::tools::BuildDictionary(options, std::cerr);
    if (!result.wroteFiles) {
      std::cerr << "vqbuild: " << result.badLines << " bad line"
                << (result.badLines == 1 ? "" : "s")
                << ", nothing written (--skip-bad leaves bad lines out)\n";
      return 1;
    }
    std::cout << "vqbuild: " << result.written << " entries written to "
              << options.outputFolder.string() << " (" << result.distinctMeanings
              << " distinct meanings), " << result.badLines << " skipped\n";
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "vqbuild: " << varkam::tools::EscapeControls(error.what()) << '\n';
    return 2;
  }
}
