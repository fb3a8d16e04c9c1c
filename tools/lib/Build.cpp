#include "lib/Build.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "UnitDitionary.h"
#include "lib/DictionaryWriter.h"
#include "lib/Paths.h"
#include "lib/SourceText.h"
#include "lib/StarDict.h"
#include "lib/TextFormat.h"
#include "lib/Utf8.h"
#include "persian/PersianEncode.h"

namespace varkam::tools {

namespace {

constexpr std::size_t ProgressEvery = 100000;
// Past this many bad lines of one input the rest are counted, not shown: an input that is not a
// source at all would bury the terminal.
constexpr std::size_t BadLinesShown = 100;

// One entry as it was read: compiled, and where it came from; its meaning in Unicode is kept
// only to join case variants. Small, since a build may hold millions.
struct Entry {
  CompiledEntry compiled;
  std::unique_ptr<std::u16string> meaning;  // with --merge-case only
  std::uint32_t file = 0;                   // in the compiler's inputs
  std::uint32_t line = 0;
  bool joined = false;  // its meaning went to an earlier variant, and it goes
};

class Compiler {
 public:
  Compiler(const BuildOptions& options, std::ostream& report)
      : options_(options), report_(report) {}

  void Add(const std::filesystem::path& input) {
    try {
      if (AsciiLowercase(PathText(input.extension())) == ".ifo") {
        AddStarDict(input);
      } else {
        AddText(input);
      }
    } catch (const std::bad_alloc&) {
      throw std::runtime_error("out of memory while reading " + PathText(input) + ", after " +
                               std::to_string(entries_.size()) +
                               " entries; the output folder is as it was");
    }
    TellHiddenBadLines(input);
  }

  BuildResult Finish() {
    BuildResult result;
    result.badLines = badLines_;
    if (badLines_ > 0 && !options_.skipBad) {
      return result;
    }
    JoinCaseVariants();
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
    WriteOptions writing;
    writing.lockWait = options_.lockWait;
    writing.note = [this](const std::string& note) {
      report_ << "warning: " << MessageText(note) << '\n';
    };
    const WrittenDictionary written =
        WriteDictionaryFiles(options_.outputFolder, CompiledEntries(), writing);
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
          Compile(entry->headword, entry->meaning, input, number);
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
    StarDictReader reader(input);
    const std::filesystem::path& index = reader.IndexFile();
    reader.ForEach([&](const StarDictRecord& record) {
      if (!record.meaning) {
        Bad(index, record.number, record.problem);
      } else {
        try {
          Compile(CheckedHeadword(record.word), *record.meaning, index, record.number);
        } catch (const BadEntry& bad) {
          Bad(index, record.number, bad.what());
        } catch (const persian::PersianEncodeError& bad) {
          Bad(index, record.number, std::string("in the meaning, ") + bad.what());
        }
      }
      ShowProgress(index, record.number);
    });
    for (const std::string& warning : reader.Warnings()) {
      report_ << "warning: " << MessageText(warning) << '\n';
    }
    hiddenFile_ = index;
  }

  void Compile(const std::string& headword, const std::u16string& meaning,
               const std::filesystem::path& input, std::size_t line) {
    if (files_.empty() || files_.back() != input) {
      files_.push_back(input);
    }
    Entry entry{{headword, persian::UnicodeToPersian(meaning)},
                nullptr,
                static_cast<std::uint32_t>(files_.size() - 1),
                static_cast<std::uint32_t>(line)};
    if (options_.mergeCase) {
      entry.meaning = std::make_unique<std::u16string>(meaning);
    }
    entries_.push_back(std::move(entry));
  }

  std::string PlaceOf(const Entry& entry) const {
    return MessageText(PathText(files_[entry.file])) + ':' + std::to_string(entry.line);
  }

  // Headwords that differ only in letter case (or not at all): the lookup reaches only the
  // first of them. Each later one is reported with the place of the first, or, with
  // mergeCase, its meaning joins the first one's and it goes.
  void JoinCaseVariants() {
    std::vector<Entry*> order;
    order.reserve(entries_.size());
    for (Entry& entry : entries_) {
      order.push_back(&entry);
    }
    std::stable_sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
      return CompareWords(a->compiled.headword, b->compiled.headword) < 0;
    });
    for (std::size_t i = 1; i < order.size(); ++i) {
      Entry& first = *order[i - 1];
      Entry& entry = *order[i];
      if (CompareWords(entry.compiled.headword, first.compiled.headword) != 0) {
        continue;
      }
      if (!options_.mergeCase) {
        ReportCaseVariant(entry, first);
      } else {
        Join(entry, first);
      }
      order[i] = &first;  // a third variant meets the first one too
    }
    std::erase_if(entries_, [](const Entry& entry) { return entry.joined; });
  }

  void ReportCaseVariant(const Entry& entry, const Entry& first) {
    report_ << "warning: " << PlaceOf(entry) << ": the headword \"" << entry.compiled.headword
            << "\" "
            << (entry.compiled.headword == first.compiled.headword
                    ? "is there already"
                    : "differs only in letter case from \"" + first.compiled.headword + "\"")
            << " at " << PlaceOf(first)
            << "; the lookup reaches only that one (--merge-case keeps them as one entry)\n";
  }

  // The entry's meaning goes after the first one's, unless it is the same.
  void Join(Entry& entry, Entry& first) {
    entry.joined = true;
    if (persian::CanonicalPersian(*entry.meaning) == persian::CanonicalPersian(*first.meaning)) {
      return;
    }
    const std::u16string both = *first.meaning + u"\r\n" + *entry.meaning;
    try {
      first.compiled.stored = persian::UnicodeToPersian(both);
      *first.meaning = both;
    } catch (const persian::PersianEncodeError& error) {
      ++badLines_;
      report_ << PlaceOf(entry) << ": its meaning cannot join the one of \""
              << first.compiled.headword << "\" at " << PlaceOf(first) << ": " << error.what()
              << '\n';
    }
  }

  std::vector<const CompiledEntry*> CompiledEntries() const {
    std::vector<const CompiledEntry*> compiled;
    compiled.reserve(entries_.size());
    for (const Entry& entry : entries_) {
      compiled.push_back(&entry.compiled);
    }
    return compiled;
  }

  void Bad(const std::filesystem::path& input, std::size_t line, const std::string& what) {
    ++badLines_;
    if (++badLinesOfInput_ > BadLinesShown) {
      return;
    }
    report_ << MessageText(PathText(input)) << ':' << line << ": " << MessageText(what) << '\n';
  }

  void TellHiddenBadLines(const std::filesystem::path& input) {
    if (badLinesOfInput_ > BadLinesShown) {
      report_ << MessageText(PathText(hiddenFile_.empty() ? input : hiddenFile_)) << ": "
              << badLinesOfInput_ - BadLinesShown << " more bad lines, not shown\n";
    }
    badLinesOfInput_ = 0;
    hiddenFile_.clear();
  }

  void ShowProgress(const std::filesystem::path& input, std::size_t line) {
    if (options_.progress != nullptr && line % ProgressEvery == 0) {
      *options_.progress << '\r' << PathText(input) << ": " << line << " entries read"
                         << std::flush;
    }
  }

  const BuildOptions& options_;
  std::ostream& report_;
  std::vector<Entry> entries_;
  std::vector<std::filesystem::path> files_;  // the inputs, which each entry names by number
  std::size_t badLines_ = 0;
  std::size_t badLinesOfInput_ = 0;
  std::filesystem::path hiddenFile_;  // where an input's bad lines are, when not the input
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
