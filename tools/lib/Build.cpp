#include "lib/Build.h"

#include <fstream>
#include <stdexcept>
#include <string>

#include "lib/DictionaryWriter.h"
#include "lib/StarDict.h"
#include "lib/TextFormat.h"
#include "persian/PersianEncode.h"

namespace varkam::tools {

namespace {

constexpr std::size_t ProgressEvery = 100000;

class Compiler {
 public:
  Compiler(const BuildOptions& options, std::ostream& report)
      : options_(options), report_(report) {}

  void Add(const std::filesystem::path& input) {
    if (input.extension() == ".ifo") {
      AddStarDict(input);
    } else {
      AddText(input);
    }
  }

  BuildResult Finish() {
    BuildResult result;
    result.badLines = badLines_;
    if (badLines_ > 0 && !options_.skipBad) {
      return result;
    }
    std::filesystem::create_directories(options_.outputFolder);
    const WrittenDictionary written =
        WriteDictionaryFiles(options_.outputFolder, std::move(entries_));
    result.written = written.entries;
    result.distinctMeanings = written.distinctMeanings;
    result.wroteFiles = true;
    return result;
  }

 private:
  void AddText(const std::filesystem::path& input) {
    std::ifstream in(input, std::ios::binary);
    if (!in) {
      throw std::runtime_error(input.string() + ": cannot be read");
    }
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
      if (!line.empty() && line.back() == '\r') {
        line.pop_back();
      }
      if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) {
        line.erase(0, 3);  // a byte order mark
      }
      try {
        if (const auto entry = ParseTextLine(line)) {
          Compile(entry->headword, entry->meaning);
        }
      } catch (const BadEntry& bad) {
        Bad(input, number, bad.what());
      } catch (const persian::PersianEncodeError& bad) {
        Bad(input, number, std::string("in the meaning, ") + bad.what());
      }
      ShowProgress(input, number);
    }
    if (in.bad()) {
      throw std::runtime_error(input.string() + ": reading failed");
    }
  }

  void AddStarDict(const std::filesystem::path& input) {
    const StarDictContents contents = ReadStarDict(input);
    for (const std::string& warning : contents.warnings) {
      report_ << "warning: " << warning << '\n';
    }
    for (const StarDictRecord& record : contents.records) {
      try {
        if (!record.meaning) {
          throw BadEntry(record.problem);
        }
        Compile(CheckedHeadword(record.word), *record.meaning);
      } catch (const BadEntry& bad) {
        Bad(contents.indexFile, record.number, bad.what());
      } catch (const persian::PersianEncodeError& bad) {
        Bad(contents.indexFile, record.number, std::string("in the meaning, ") + bad.what());
      }
      ShowProgress(contents.indexFile, record.number);
    }
  }

  void Compile(const std::string& headword, const std::u16string& meaning) {
    entries_.push_back({headword, persian::UnicodeToPersian(meaning)});
  }

  void Bad(const std::filesystem::path& input, std::size_t line, const std::string& what) {
    ++badLines_;
    report_ << input.string() << ':' << line << ": " << what << '\n';
  }

  void ShowProgress(const std::filesystem::path& input, std::size_t line) {
    if (options_.progress != nullptr && line % ProgressEvery == 0) {
      *options_.progress << '\r' << input.string() << ": " << line << " entries read" << std::flush;
    }
  }

  const BuildOptions& options_;
  std::ostream& report_;
  std::vector<CompiledEntry> entries_;
  std::size_t badLines_ = 0;
};

}  // namespace

BuildResult BuildDictionary(const BuildOptions& options, std::ostream& report) {
  Compiler compiler(options, report);
  for (const auto& input : options.inputs) {
    compiler.Add(input);
  }
  if (options.progress != nullptr) {
    *options.progress << '\r' << std::string(60, ' ') << '\r' << std::flush;
  }
  return compiler.Finish();
}

}  // namespace varkam::tools
