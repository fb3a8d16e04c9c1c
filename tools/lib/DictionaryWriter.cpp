#include "lib/DictionaryWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

#include "UnitDitionary.h"

namespace varkam::tools {

namespace {

void AppendInt32(std::string& out, std::int64_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) {
    out += static_cast<char>((bits >> shift) & 0xFF);
  }
}

void AppendWordRecord(std::string& out, std::string_view word) {
  std::array<char, WordRecordSize> record{};
  record[0] = static_cast<char>(word.size());
  std::copy(word.begin(), word.end(), record.begin() + 1);
  out.append(record.data(), record.size());
}

// The fourth file is never interpreted; it says what made it and is otherwise zero.
std::string FourthDataFile() {
  std::string content = "Varkam dictionary data, written by vqbuild.\r\n";
  content.resize(ReservedBlockSize, '\0');
  return content;
}

std::filesystem::path PendingName(const std::filesystem::path& final) {
  return final.string() + ".new";
}

void WriteWhole(const std::filesystem::path& path, const std::string& content) {
  std::FILE* file = std::fopen(path.string().c_str(), "wb");
  if (file == nullptr) {
    throw std::runtime_error("cannot create " + path.string());
  }
  const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace

WrittenDictionary WriteDictionaryFiles(const std::filesystem::path& folder,
                                       std::vector<CompiledEntry> entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return CompareWords(a.headword, b.headword) < 0;
  });
  if (entries.size() > static_cast<std::size_t>(INT32_MAX / WordRecordSize - 1)) {
    throw std::runtime_error("too many entries for the word-index file");
  }

  std::string words;
  std::string offsets;
  std::string texts;
  words.reserve((entries.size() + 1) * WordRecordSize);
  offsets.reserve((entries.size() + 1) * MeaningOffsetSize);
  AppendWordRecord(words, "");
  AppendInt32(offsets, static_cast<std::int64_t>(entries.size()));
  std::unordered_map<std::string_view, std::int64_t> offsetOf;
  for (const CompiledEntry& entry : entries) {
    AppendWordRecord(words, entry.headword);
    const auto [known, added] = offsetOf.try_emplace(entry.stored, texts.size());
    if (added) {
      texts += static_cast<char>(entry.stored.size());
      texts += entry.stored;
      if (texts.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw std::runtime_error("the meanings take more than 2 GiB");
      }
    }
    AppendInt32(offsets, known->second);
  }

  const std::string fourth = FourthDataFile();
  const std::pair<std::string_view, const std::string&> files[] = {
      {WordIndexFileName, words},
      {MeaningOffsetFileName, offsets},
      {MeaningTextFileName, texts},
      {FourthDataFileName, fourth},
  };
  try {
    for (const auto& [name, content] : files) {
      WriteWhole(PendingName(folder / name), content);
    }
    for (const auto& [name, content] : files) {
      std::filesystem::rename(PendingName(folder / name), folder / name);
    }
  } catch (const std::exception&) {
    for (const auto& [name, content] : files) {
      std::error_code ignored;
      std::filesystem::remove(PendingName(folder / name), ignored);
    }
    throw;
  }
  return {entries.size(), offsetOf.size()};
}

}  // namespace varkam::tools
