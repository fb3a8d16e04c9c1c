#include "lib/DictionaryWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "UnitDitionary.h"
#include "lib/Files.h"
#include "lib/Paths.h"

namespace varkam::tools {

namespace {

// The fourth file is never interpreted; it says what made it and is otherwise zero.
std::string FourthDataFile() {
  std::string content = "Varkam dictionary data, written by vqbuild.\r\n";
  content.resize(ReservedBlockSize, '\0');
  return content;
}

}  // namespace

EncodedDictionary EncodeDictionary(const std::vector<CompiledEntry>& entries) {
  std::vector<const CompiledEntry*> sorted;
  sorted.reserve(entries.size());
  for (const CompiledEntry& entry : entries) {
    sorted.push_back(&entry);
  }
  return EncodeDictionary(std::move(sorted));
}

// The entries are sorted as pointers: a million of them are not moved or copied.
EncodedDictionary EncodeDictionary(std::vector<const CompiledEntry*> entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const auto* a, const auto* b) {
    return CompareWords(a->headword, b->headword) < 0;
  });
  if (entries.size() > static_cast<std::size_t>(INT32_MAX / WordRecordSize - 1)) {
    throw std::runtime_error("too many entries for the word-index file");
  }
  DataFileContents files;
  auto& [words, offsets, texts, fourth] = files;
  words.reserve((entries.size() + 1) * WordRecordSize);
  offsets.reserve((entries.size() + 1) * MeaningOffsetSize);
  words.append(WordRecord("").data(), WordRecordSize);
  AppendInt32(offsets, static_cast<std::int32_t>(entries.size()));
  std::unordered_map<std::string_view, std::int32_t> offsetOf;
  for (const CompiledEntry* entry : entries) {
    words.append(WordRecord(entry->headword).data(), WordRecordSize);
    const auto [known, added] =
        offsetOf.try_emplace(entry->stored, static_cast<std::int32_t>(texts.size()));
    if (added) {
      texts += static_cast<char>(entry->stored.size());
      texts += entry->stored;
      if (texts.size() > static_cast<std::size_t>(INT32_MAX)) {
        throw std::runtime_error("the meanings take more than 2 GiB");
      }
    }
    AppendInt32(offsets, known->second);
  }
  fourth = FourthDataFile();
  return {std::move(files), offsetOf.size()};
}

WrittenDictionary WriteDictionaryFiles(const std::filesystem::path& folder,
                                       const std::vector<CompiledEntry>& entries,
                                       const WriteOptions& options) {
  std::vector<const CompiledEntry*> pointers;
  pointers.reserve(entries.size());
  for (const CompiledEntry& entry : entries) {
    pointers.push_back(&entry);
  }
  return WriteDictionaryFiles(folder, std::move(pointers), options);
}

WrittenDictionary WriteDictionaryFiles(const std::filesystem::path& folder,
                                       std::vector<const CompiledEntry*> entries,
                                       const WriteOptions& options) {
  const std::size_t count = entries.size();
  const auto [contents, distinct] = EncodeDictionary(std::move(entries));
  files::MakeFolders(folder);
  const files::FolderLock lock(folder, options.lockWait, [&] {
    if (options.note) {
      options.note("another build is writing into " + PathText(folder) + "; waiting for it to end");
    }
  });
  SetRightAStoppedReplacement(folder, options.note);
  ReplaceDictionary(folder, contents, options.rename, options.note);
  return {count, distinct};
}

}  // namespace varkam::tools
