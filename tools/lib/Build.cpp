#include "lib/Build.h"

#include <algorithm>
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
        WriteDictionaryFiles(options_.outputFolder, std::move(entries_), writing);
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
    entries_.push_back({headword, persian::UnicodeToPersian(meaning)});
    if (files_.empty() || files_.back() != input) {
      files_.push_back(input);
    }
    places_.push_back({files_.size() - 1, line});
    if (options_.mergeCase) {
      meanings_.push_back(meaning);
    }
  }

  std::string PlaceOf(std::size_t entry) const {
    return MessageText(PathText(files_[places_[entry].file])) + ':' +
           std::to_string(places_[entry].line);
  }

  // Headwords that differ only in letter case (or not at all): the lookup reaches only the
  // first of them. Each later one is reported with the place of the first, or, with
  // mergeCase, its meaning joins the first one's.
  void JoinCaseVariants() {
    std::vector<std::size_t> order(entries_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
      order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
      return CompareWords(entries_[a].headword, entries_[b].headword) < 0;
    });
    std::vector<bool> joined(entries_.size(), false);
    for (std::size_t i = 1, first = order.empty() ? 0 : order[0]; i < order.size(); ++i) {
      const std::size_t entry = order[i];
      if (CompareWords(entries_[entry].headword, entries_[first].headword) != 0) {
        first = entry;
        continue;
      }
      const std::string said = "the headword \"" + entries_[entry].headword + "\" ";
      const std::string there = " at " + PlaceOf(first);
      if (!options_.mergeCase) {
        report_ << "warning: " << PlaceOf(entry) << ": " << said
                << (entries_[entry].headword == entries_[first].headword
                        ? "is there already" + there
                        : "differs only in letter case from \"" + entries_[first].headword + "\"" +
                              there)
                << "; the lookup reaches only that one (--merge-case keeps them as one entry)\n";
        continue;
      }
      joined[entry] = true;
      if (persian::CanonicalPersian(meanings_[entry]) ==
          persian::CanonicalPersian(meanings_[first])) {
        continue;  // the same meaning once is enough
      }
      const std::u16string both = meanings_[first] + u"\r\n" + meanings_[entry];
      try {
        entries_[first].stored = persian::UnicodeToPersian(both);
        meanings_[first] = both;
      } catch (const persian::PersianEncodeError& error) {
        ++badLines_;
        report_ << PlaceOf(entry) << ": its meaning cannot join the one of \""
                << entries_[first].headword << "\"" << there << ": " << error.what() << '\n';
      }
    }
    if (options_.mergeCase) {
      std::size_t kept = 0;
      for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (!joined[i]) {
          if (kept != i) {
            entries_[kept] = std::move(entries_[i]);
          }
          ++kept;
        }
      }
      entries_.resize(kept);
    }
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
  std::vector<CompiledEntry> entries_;
  struct Place {
    std::size_t file;  // in files_
    std::size_t line;
  };
  std::vector<Place> places_;  // of each entry
  std::vector<std::filesystem::path> files_;
  std::vector<std::u16string> meanings_;  // of each entry, kept only to join them
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
