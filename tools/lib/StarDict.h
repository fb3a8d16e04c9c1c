#pragma once

// Reads a StarDict dictionary: the .ifo that names it, its .idx (or .idx.gz) index, and its
// .dict (or .dict.dz) texts. Only text meanings are taken: plain text as it stands, markup
// (types g, h, k, x) with its tags stripped.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace varkam::tools {

struct StarDictRecord {
  std::size_t number = 0;                 // 1-based place in the index
  std::string word;                       // as the index has it, UTF-8
  std::optional<std::u16string> meaning;  // reading order, line breaks as CR LF
  std::string problem;                    // what is wrong when there is no meaning
};

struct StarDictContents {
  std::filesystem::path indexFile;  // where a record's number points
  std::vector<StarDictRecord> records;
  std::vector<std::string> warnings;
};

// Throws std::runtime_error naming the file when the dictionary as a whole cannot be read.
StarDictContents ReadStarDict(const std::filesystem::path& ifoFile);

}  // namespace varkam::tools
