#pragma once

// Writes the four data files that TDictionary reads.

#include <cstddef>
#include <filesystem>
#include <functional>
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

// Where the dictionary that a build replaces is kept, inside the output folder.
inline constexpr const char* PreviousFolderName = "previous";

// Moves a file, throwing std::runtime_error naming both places when it cannot.
using FileRename =
    std::function<void(const std::filesystem::path& from, const std::filesystem::path& to)>;
void RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Sorts the entries by headword (stably, so equal headwords keep their order), stores each
// distinct meaning once, and writes "Dat01.vq" to "Dat04.vq" into `folder`, whole or not at
// all: the four are written as new files beside their final names (never through a file or a
// link already there) and flushed to the disk; the dictionary there before moves into
// "previous/" and the new one takes its place. When anything fails the four old files come
// back, nothing of the new ones is left, and std::runtime_error names what failed.
WrittenDictionary WriteDictionaryFiles(const std::filesystem::path& folder,
                                       std::vector<CompiledEntry> entries,
                                       const FileRename& rename = RenameFile);

}  // namespace varkam::tools
