#pragma once

// Reads a StarDict dictionary: the .ifo that names it, its .idx (or .idx.gz) index, and its
// .dict (or .dict.dz) texts. Only text meanings are taken: plain text as it stands, markup
// (types g, h, k, x) as MarkupToText makes it; phonetic items (types t, y) are left out.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "lib/Gzip.h"

namespace varkam::tools {

struct StarDictRecord {
  std::size_t number = 0;                 // 1-based place in the index
  std::string word;                       // as the index has it, UTF-8
  std::optional<std::u16string> meaning;  // reading order, line breaks as CR LF
  std::string problem;                    // what is wrong when there is no meaning
};

// A packed index is unpacked no further than the .ifo's idxfilesize. Of a dictzip text file
// only the chunks that entries lie in are unpacked; any other packed text file is unpacked no
// further than the index reaches. An entry past what the text file can hold (a deflate stream
// unpacks to at most 1032 times its size, a dictzip file to what its header says), or of a
// text over 1 MiB, is refused without unpacking anything for it.
class StarDictReader {
 public:
  // Reads the .ifo, the index and the texts; throws std::runtime_error naming the file when
  // the dictionary as a whole cannot be read.
  explicit StarDictReader(const std::filesystem::path& ifoFile);
  StarDictReader(const StarDictReader&) = delete;
  StarDictReader& operator=(const StarDictReader&) = delete;

  // Where a record's number points.
  const std::filesystem::path& IndexFile() const { return indexFile_; }

  // Each record in index order, made as it is handed over, so that no index, however long,
  // is held as records.
  void ForEach(const std::function<void(const StarDictRecord&)>& each);

  // What the user should know of the dictionary as a whole; complete after ForEach.
  const std::vector<std::string>& Warnings() const { return warnings_; }

 private:
  std::string Setting(const std::string& key) const;
  void ReadIndex(const std::filesystem::path& base, bool upper);
  void ReadTexts(const std::filesystem::path& base, bool upper);
  std::optional<std::string> TextOf(std::uint64_t offset, std::uint64_t size, std::string& problem);
  StarDictRecord RecordAt(std::size_t number, std::size_t& position);

  std::filesystem::path ifoFile_;
  std::map<std::string, std::string> settings_;
  std::filesystem::path indexFile_;
  std::string index_;
  std::size_t offsetSize_ = 4;
  std::filesystem::path textFile_;
  std::uint64_t capacity_ = 0;  // how many bytes the text file can hold
  std::string texts_;           // unpacked, or a dictzip file as it is
  std::optional<Dictzip> dictzip_;
  std::string types_;         // the .ifo's sametypesequence
  std::set<char> itemsSeen_;  // markup and phonetic item types met, for the warnings
  std::vector<std::string> warnings_;
};

}  // namespace varkam::tools
