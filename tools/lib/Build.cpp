#include "lib/Build.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "lib/DictionaryWriter.h"
#include "lib/StarDict.h"
#include "lib/TextFormat.h"
#include "lib/Utf8.h"
#include "persian/PersianEncode.h"

namespace varkam::tools {

namespace {

constexpr std::size_t ProgressEvery = 100000;

// A source text as UTF-8: UTF-8 with or without a byte order mark, or UTF-16 in either byte
// order with its byte order mark.
std::string ReadSourceText(const std::filesystem::path& input) {
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    throw std::runtime_error(input.string() + ": cannot be read");
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    throw std::runtime_error(input.string() + ": reading failed");
  }
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
    return bytes.substr(3);
  }
  const bool littleEndian = bytes.rfind("\xFF\xFE", 0) == 0;
  if (!littleEndian && bytes.rfind("\xFE\xFF", 0) != 0) {
    return bytes;
  }
  if (bytes.size() % 2 != 0) {
    throw std::runtime_error(input.string() +
                             ": UTF-16 text (it begins with a byte order mark) with an odd "
                             "number of bytes");
  }
  std::u16string wide;
  wide.reserve(bytes.size() / 2);
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    wide += static_cast<char16_t>(littleEndian ? first | (second << 8) : (first << 8) | second);
  }
  return Utf16ToUtf8(wide);
}

class Compiler {
 public:
  Compiler(const BuildOptions& options, std::ostream& report)
      : options_(options), report_(report) {}

  void Add(const std::filesystem::path& input) {
    if (AsciiLowercase(input.extension().string()) == ".ifo") {
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
    // An empty dictionary would only take the place of a good one.
    if (entries_.empty()) {
      throw std::runtime_error(
          badLines_ > 0 ? "nothing to write: every entry was bad; the output folder is as it was"
                        : "nothing to write: the inputs hold no entries; the output folder is as "
                          "it was");
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
    const std::string text = ReadSourceText(input);
    std::size_t number = 0;
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) {
        end = text.size();
      }
      std::string_view line(text.data() + start, end - start);
      start = end + 1;
      ++number;
      if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
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
  }

  void AddStarDict(const std::filesystem::path& input) {
    const StarDictContents contents = ReadStarDict(input);
    for (const std::string& warning : contents.warnings) {
      report_ << "warning: " << EscapeControls(warning) << '\n';
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
    report_ << EscapeControls(input.string()) << ':' << line << ": " << EscapeControls(what)
            << '\n';
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
