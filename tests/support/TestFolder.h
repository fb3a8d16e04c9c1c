#pragma once

// Test data made by the tests themselves: a temporary folder, and the four data files written
// byte by byte, so that sound and corrupt dictionaries alike can be laid out exactly.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varkam::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  void WriteFile(std::string_view name, std::string_view bytes) const;
  std::string ReadFile(std::string_view name) const;

 private:
  std::filesystem::path path_;
};

using Entry = std::pair<std::string, std::string>;  // headword, stored meaning

// The four data files for `entries` in the given order: record 0 is `recordZero`, the meanings
// follow one another in "Dat03.vq" from offset 0, "Dat04.vq" holds `fourth`.
struct DictionaryLayout {
  DictionaryLayout(std::vector<Entry> entries = {}) : entries(std::move(entries)) {}
  std::vector<Entry> entries;
  std::string recordZero;
  std::string fourth = std::string(16326, '\x5A');
};
void WriteDictionary(const TestFolder& folder, const DictionaryLayout& layout);

// n headwords "w000001" ... with meanings that name their number.
DictionaryLayout NumberedWords(int count);

// Bytes of a 33-byte headword record, a 4-byte little-endian integer, a meaning record.
std::string WordRecord(std::string_view word, int lengthByte = -1);
std::string Int32Bytes(std::int32_t value);
std::string MeaningRecord(std::string_view meaning);

}  // namespace varkam::testing
