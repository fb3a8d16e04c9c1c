#pragma once

// Writes the four data files that TDictionary reads.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "lib/DictionarySwap.h"

namespace varkam::tools {

struct CompiledEntry {
  std::string headword;  // printable ASCII, 1 to 32 characters
  std::string stored;    // the meaning in its stored form, at most 255 bytes
};

struct WrittenDictionary {
  std::size_t entries = 0;
  std::size_t distinctMeanings = 0;
};

struct WriteOptions {
  FileRename rename = RenameFile;  // every move of the replacement goes through this
  // How long to wait for another build into the same folder before giving up.
  std::chrono::milliseconds lockWait = std::chrono::seconds(60);
  // What the user should know of: a wait for another build, a stopped build set right, a
  // replaced dictionary that could not be moved into "previous/".
  std::function<void(const std::string&)> note;
};

// The four files' bytes for the entries: sorted by headword (stably, so equal headwords keep
// their order), each distinct meaning stored once. Nothing is written. Throws
// std::runtime_error for more entries or meanings than the files' offsets can reach.
struct EncodedDictionary {
  DataFileContents files;
  std::size_t distinctMeanings = 0;
};
EncodedDictionary EncodeDictionary(const std::vector<CompiledEntry>& entries);
EncodedDictionary EncodeDictionary(std::vector<const CompiledEntry*> entries);

// Encodes the entries (EncodeDictionary) and writes "Dat01.vq" to "Dat04.vq" into `folder` (made
// when missing), whole or not at all, as ReplaceDictionary says, holding the folder against other
// builds meanwhile. Throws std::runtime_error naming what failed.
WrittenDictionary WriteDictionaryFiles(const std::filesystem::path& folder,
                                       const std::vector<CompiledEntry>& entries,
                                       const WriteOptions& options = {});
// The same for entries held elsewhere; they must outlive the call.
WrittenDictionary WriteDictionaryFiles(const std::filesystem::path& folder,
                                       std::vector<const CompiledEntry*> entries,
                                       const WriteOptions& options = {});

}  // namespace varkam::tools
