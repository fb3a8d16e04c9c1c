#pragma once

// Writes the four data files that TDictionary reads.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace varkam::tools {

struct CompiledEntry {
  std::string headword;  // printable ASCII, 1 to 32 characters
  std::string stored;    // the meaning in its stored form, at most 255 bytes
};

struct WrittenDictionary {
  std::size_t entries = 0;
  std::size_t distinctMeanings = 0;
};

// Sorts the entries by headword (stably, so equal headwords keep their order), stores each
// distinct meaning once, and writes "Dat01.vq" to "Dat04.vq" into `folder`. Each file is
// written complete beside its final name first; only when all four are, they replace the old
// ones. Throws std::runtime_error naming the file when something cannot be written, and then
// leaves the folder as it was.
WrittenDictionary WriteDictionaryFiles(const std::filesystem::path& folder,
                                       std::vector<CompiledEntry> entries);

}  // namespace varkam::tools
