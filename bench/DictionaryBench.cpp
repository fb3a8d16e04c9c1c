// How fast a keystroke's road and its parts are, over generated dictionaries of 10,000,
// 100,000 and 1,000,000 headwords made from a real English word list and forms of its words,
// and how fast the window's start and a keystroke are on real dictionaries, named with their
// folders in VARKAM_BENCH_DICTIONARIES ("name=folder;name=folder"), side by side in one run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>

#include "UnitDitionary.h"
#include "lib/DictionaryWriter.h"
#include "persian/PersianDecode.h"
#include "persian/PersianEncode.h"

namespace varkam {
namespace {

constexpr const char* WordList = "/usr/share/dict/american-english";

const std::vector<std::string>& EnglishWords() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> list;
    std::ifstream in(WordList);
    for (std::string word; std::getline(in, word);) {
      const bool ascii =
          std::all_of(word.begin(), word.end(), [](char c) { return c > ' ' && c <= '~'; });
      if (ascii && !word.empty() && word.size() <= 24) {
        list.push_back(word);
      }
    }
    if (list.empty()) {
      std::fprintf(stderr, "no word list at %s (Debian's wamerican)\n", WordList);
      std::exit(2);
    }
    return list;
  }();
  return words;
}

const std::vector<std::string>& SampleMeanings() {
  static const std::vector<std::string> meanings = [] {
    std::vector<std::string> stored;
    for (const std::u16string& text :
         {std::u16string(u"\u0633\u06AF"),
          std::u16string(u"\u06AF\u0631\u0628\u0647 \u0627\u0647\u0644\u06CC"),
          std::u16string(u"\u06A9\u062A\u0627\u0628\u060C \u062F\u0641\u062A\u0631 (book)"),
          std::u16string(u"\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645 \u06F1\u06F2\u06F3")}) {
      stored.push_back(persian::UnicodeToPersian(text));
    }
    return stored;
  }();
  return meanings;
}

// The dictionary of `count` headwords: the word list's words, then generated forms of them.
const std::filesystem::path& DictionaryOf(std::int64_t count) {
  static std::map<std::int64_t, std::filesystem::path> made;
  auto& folder = made[count];
  if (!folder.empty()) {
    return folder;
  }
  folder = std::filesystem::temp_directory_path() / ("varkam-bench-" + std::to_string(count));
  std::filesystem::create_directories(folder);
  const auto& words = EnglishWords();
  const char* const endings[] = {"", "s", "ing", "ed", "ly", "er", "ness", "ful", "less"};
  std::vector<tools::CompiledEntry> entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (std::size_t round = 0; entries.size() < static_cast<std::size_t>(count); ++round) {
    for (const auto& word : words) {
      if (entries.size() == static_cast<std::size_t>(count)) {
        break;
      }
      std::string form = word + endings[round % std::size(endings)];
      if (round >= std::size(endings)) {
        form += std::to_string(round / std::size(endings));
      }
      entries.push_back({form.substr(0, MaxWordLength),
                         SampleMeanings()[entries.size() % SampleMeanings().size()]});
    }
  }
  tools::WriteDictionaryFiles(folder, std::move(entries));
  return folder;
}

std::vector<std::string> Queries(std::size_t count, int kind) {
  std::mt19937 random(static_cast<unsigned>(kind) + 7);
  const auto& words = EnglishWords();
  std::vector<std::string> queries;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& word = words[random() % words.size()];
    switch (kind) {
      case 0: queries.push_back(word); break;                                   // exact hits
      case 1: queries.push_back(word.substr(0, (word.size() + 1) / 2)); break;  // prefixes
      case 2: queries.push_back(word + (i % 2 ? "ingly" : "edness")); break;    // stemmed
      default: queries.push_back("zq" + word + "xv"); break;                    // misses
    }
  }
  return queries;
}

void FindWordOf(benchmark::State& state, int kind) {
  TDictionary dictionary(DictionaryOf(state.range(0)));
  const auto queries = Queries(4096, kind);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dictionary.FindWord(queries[next++ % queries.size()]));
  }
}

void BM_FindWordExact(benchmark::State& state) {
  FindWordOf(state, 0);
}
void BM_FindWordPrefix(benchmark::State& state) {
  FindWordOf(state, 1);
}
void BM_FindWordInflected(benchmark::State& state) {
  FindWordOf(state, 2);
}
void BM_FindWordMiss(benchmark::State& state) {
  FindWordOf(state, 3);
}

// The entry at `index` shown as the window shows it: headword, decoded meaning, a page of rows.
void ShowEntry(TDictionary& dictionary, std::int32_t index) {
  benchmark::DoNotOptimize(dictionary.GetWord(index));
  benchmark::DoNotOptimize(persian::PersianToUnicode(dictionary.GetMeaning(index)));
  for (std::int32_t row = 0; row < 24; ++row) {
    benchmark::DoNotOptimize(dictionary.GetWord(index + row));
  }
}

void KeystrokesOn(benchmark::State& state, const std::filesystem::path& folder) {
  TDictionary dictionary(folder);
  const auto queries = Queries(4096, 1);
  std::size_t next = 0;
  for (auto _ : state) {
    ShowEntry(dictionary, dictionary.FindWord(queries[next++ % queries.size()]));
  }
}

// One keystroke without the window: the lookup, the entry shown, and a page of 24 rows.
void BM_Keystroke(benchmark::State& state) {
  KeystrokesOn(state, DictionaryOf(state.range(0)));
}

// The dictionary's part of the window's start: the four files opened, entry 1 shown.
void StartUpOn(benchmark::State& state, const std::filesystem::path& folder) {
  for (auto _ : state) {
    TDictionary dictionary(folder);
    if (dictionary.TakeMissingFlag()) {
      state.SkipWithError("a data file is missing");
      return;
    }
    ShowEntry(dictionary, 1);
  }
}

// The real dictionaries named in VARKAM_BENCH_DICTIONARIES, each with both benchmarks.
void RegisterRealDictionaries() {
  const char* list = std::getenv("VARKAM_BENCH_DICTIONARIES");
  std::string rest = list ? list : "";
  while (!rest.empty()) {
    const std::string item = rest.substr(0, rest.find(';'));
    rest = item.size() < rest.size() ? rest.substr(item.size() + 1) : "";
    const auto equals = item.find('=');
    if (equals == std::string::npos) {
      continue;
    }
    const std::string name = item.substr(0, equals);
    const std::filesystem::path folder = item.substr(equals + 1);
    benchmark::RegisterBenchmark(("BM_StartUp/" + name).c_str(),
                                 [folder](benchmark::State& state) { StartUpOn(state, folder); });
    benchmark::RegisterBenchmark(
        ("BM_KeystrokeOn/" + name).c_str(),
        [folder](benchmark::State& state) { KeystrokesOn(state, folder); });
  }
}

void BM_PersianToUnicode(benchmark::State& state) {
  std::string stored;
  while (stored.size() < 250) {
    stored += SampleMeanings()[stored.size() % SampleMeanings().size()].substr(1);
  }
  stored = " " + stored.substr(0, 254);
  for (auto _ : state) {
    benchmark::DoNotOptimize(persian::PersianToUnicode(stored));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stored.size()));
}

void BM_UnicodeToPersian(benchmark::State& state) {
  std::u16string text;
  while (text.size() < 200) {
    text += u"\u0645\u06CC\u200C\u062E\u0648\u0627\u0647\u0645 \u06A9\u062A\u0627\u0628 ";
  }
  text.resize(200);
  for (auto _ : state) {
    benchmark::DoNotOptimize(persian::UnicodeToPersian(text));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

const std::vector<std::int64_t> Sizes = {10000, 100000, 1000000};

BENCHMARK(BM_FindWordExact)->ArgsProduct({Sizes});
BENCHMARK(BM_FindWordPrefix)->ArgsProduct({Sizes});
BENCHMARK(BM_FindWordInflected)->ArgsProduct({Sizes});
BENCHMARK(BM_FindWordMiss)->ArgsProduct({Sizes});
BENCHMARK(BM_Keystroke)->ArgsProduct({Sizes});
BENCHMARK(BM_PersianToUnicode);
BENCHMARK(BM_UnicodeToPersian);

}  // namespace
}  // namespace varkam

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  varkam::RegisterRealDictionaries();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
