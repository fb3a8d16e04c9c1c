#pragma once

// The dictionary store and lookup: four read-only data files kept open for the object's whole
// life, read one record at a time by a 1-based headword index.
//
//   Dat01.vq  word index:      33-byte records, record i at i * 33: a length byte, then up to
//                              32 single-byte characters. Record 0 is not a headword.
//   Dat02.vq  meaning offsets: WordCount in bytes 0-3, then the offset of headword i's
//                              meaning at i * 4 (signed 32-bit, little-endian).
//   Dat03.vq  meaning texts:   a length byte L, then L bytes of the Persian code page in
//                              visual order.
//   Dat04.vq  must exist; its first 16326 bytes are kept and never interpreted.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "RecordLayout.h"
#include "platform/ReadOnlyFile.h"

namespace varkam {

// Compares two words ignoring the case of a-z, then by unsigned byte value over their first
// 255 characters; a proper prefix sorts first. Returns -1, 0 or 1.
int CompareWords(std::string_view a, std::string_view b);

// Whether two words are equal as whole strings, ignoring the case of the code page's letters
// as the user's locale does: a-z as A-Z, and the accented letters too ("caf\xE9" as "CAF\xC9").
bool SameWord(std::string_view a, std::string_view b);

// Strips the first of the endings "ies", "ing", "es", "ly", "ed", "s", "d", "y" that the word
// ends in (ignoring case); "ies" becomes "y". A word with none of them is returned unchanged.
std::string StemWord(std::string_view word);

class TDictionary {
 public:
  // Opens the four data files by bare name in `folder` (the current directory when empty).
  // Always yields an object; a file that could not be opened only raises the missing flag.
  // Mapped files make a probe of the lookup a memory access; positional access holds no view.
  explicit TDictionary(const std::filesystem::path& folder = {},
                       platform::FileAccess access = platform::FileAccess::Mapped);
  ~TDictionary();
  TDictionary(const TDictionary&) = delete;
  TDictionary& operator=(const TDictionary&) = delete;

  // Whether an open failed at creation; true once, then false.
  bool TakeMissingFlag();

  // The number of headwords, 1 to WordCount(); never more than the data files hold records for.
  std::int32_t WordCount() const { return wordCount_; }

  // The index of the headword or meaning last read, or what FindWord answered last.
  std::int32_t LastIndex() const { return lastIndex_; }

  // The headword at `index`. Record 0 and records past the end can be read (past the end they
  // are empty); an index that cannot be positioned gives the null headword, two bytes 0, and
  // leaves LastIndex as it was.
  std::string GetWord(std::int32_t index);

  // The stored meaning of `index`: at most 255 bytes, cut at the first byte 0; empty when its
  // offset cannot be read or positioned. Sets LastIndex.
  std::string GetMeaning(std::int32_t index);

  // The headword index that a typed text leads to, 0 to WordCount() + 1: the first headword
  // that the trimmed text begins, else a headword equal to its stem (bare, then with "e"),
  // else one next to where the stem would stand.
  std::int32_t FindWord(std::string_view text);

  // The first 16326 bytes of the fourth data file, zero where the file is shorter.
  std::span<const std::uint8_t, ReservedBlockSize> ReservedBlock() const { return reservedBlock_; }

 private:
  struct SearchState;
  void SearchRange(SearchState& search);
  std::int32_t ClampedWordCount(std::int32_t stored) const;

  platform::ReadOnlyFile wordIndexFile_;
  platform::ReadOnlyFile meaningOffsetFile_;
  platform::ReadOnlyFile meaningTextFile_;
  platform::ReadOnlyFile fourthDataFile_;
  std::int32_t wordCount_ = 0;
  std::array<std::uint8_t, 1024> meaningBuffer_{};
  std::array<std::uint8_t, ReservedBlockSize> reservedBlock_{};
  std::int32_t lastIndex_ = 0;
  bool missingFlag_ = false;
};

}  // namespace varkam
