#include "support/TestFolder.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "persian/PersianEncode.h"

namespace varkam::testing {

TestFolder::TestFolder() {
  static std::atomic<int> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("varkam-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TestFolder::WriteFile(std::string_view name, std::string_view bytes) const {
  std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write test file " + std::string(name));
  }
}

std::string TestFolder::ReadFile(std::string_view name) const {
  std::ifstream in(path_ / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string WordRecord(std::string_view word, int lengthByte) {
  std::string record(33, '\0');
  record[0] = static_cast<char>(lengthByte < 0 ? static_cast<int>(word.size()) : lengthByte);
  record.replace(1, word.size(), word);
  return record.substr(0, 33);
}

std::string Int32Bytes(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
          static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
}

std::string MeaningRecord(std::string_view meaning) {
  return static_cast<char>(meaning.size()) + std::string(meaning);
}

void WriteDictionary(const TestFolder& folder, const DictionaryLayout& layout) {
  std::string words = WordRecord(layout.recordZero);
  std::string offsets = Int32Bytes(static_cast<std::int32_t>(layout.entries.size()));
  std::string texts;
  for (const auto& [word, meaning] : layout.entries) {
    words += WordRecord(word);
    offsets += Int32Bytes(static_cast<std::int32_t>(texts.size()));
    texts += MeaningRecord(meaning);
  }
  folder.WriteFile("Dat01.vq", words);
  folder.WriteFile("Dat02.vq", offsets);
  folder.WriteFile("Dat03.vq", texts);
  folder.WriteFile("Dat04.vq", layout.fourth);
}

DictionaryLayout NumberedWords(int count) {
  DictionaryLayout layout;
  layout.entries.reserve(static_cast<std::size_t>(count));
  char word[16];
  for (int i = 1; i <= count; ++i) {
    std::snprintf(word, sizeof word, "w%06d", i);
    layout.entries.emplace_back(word, persian::UnicodeToPersian(u"\u0648\u0627\u0698\u0647 " +
                                                                std::u16string(word, word + 7)));
  }
  return layout;
}

}  // namespace varkam::testing
