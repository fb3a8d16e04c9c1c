#include "UnitDitionary.h"

#include <algorithm>
#include <optional>

namespace varkam {

namespace {

// Headwords are ASCII; a-z is the only case folding the order knows, under any locale.
unsigned char UpperAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

// The upper case of a letter of the dictionary's code page (1252), as the user's locale
// compares them ignoring case: a-z, the accented letters and the four that stand apart.
unsigned char UpperInCodePage(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if ((byte >= 0xE0 && byte <= 0xFE && byte != 0xF7)) {
    return static_cast<unsigned char>(byte - 0x20);
  }
  switch (byte) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: return UpperAscii(c);
  }
}

bool EndsWithIgnoringCase(std::string_view word, std::string_view ending) {
  return word.size() >= ending.size() && SameWord(word.substr(word.size() - ending.size()), ending);
}

// Reads `buffer.size()` bytes at `offset`; the bytes a short read does not deliver count as
// zero, so nothing of an earlier read ever shows. Returns how many bytes were delivered, or
// nothing when the move failed.
std::optional<std::size_t> ReadZeroFilled(platform::ReadOnlyFile& file, std::int64_t offset,
                                          std::span<std::uint8_t> buffer) {
  std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
  return file.ReadAt(offset, buffer);
}

}  // namespace

int CompareWords(std::string_view a, std::string_view b) {
  const std::size_t limit = MaxMeaningLength;  // words compare over their first 255 characters
  a = a.substr(0, std::min(a.size(), limit));
  b = b.substr(0, std::min(b.size(), limit));
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char left = UpperAscii(a[i]);
    const unsigned char right = UpperAscii(b[i]);
    if (left != right) {
      return left < right ? -1 : 1;
    }
  }
  if (a.size() == b.size()) {
    return 0;
  }
  return a.size() < b.size() ? -1 : 1;
}

bool SameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char left, char right) {
           return UpperInCodePage(left) == UpperInCodePage(right);
         });
}

std::string StemWord(std::string_view word) {
  std::string stem(word);
  const std::size_t length = stem.size();
  if (EndsWithIgnoringCase(stem, "ies")) {
    stem.resize(length - 3);
    stem += 'y';
  } else if (EndsWithIgnoringCase(stem, "ing")) {
    // A doubled consonant in front of "ing" goes too: running -> run. Positions count from 1
    // and one below 1 reads as position 1, so "king" loses all four and "ing" keeps its own.
    const std::size_t before = length >= 5 ? length - 4 : 1;
    const std::size_t last = length >= 4 ? length - 3 : 1;
    if (UpperAscii(stem[before - 1]) == UpperAscii(stem[last - 1])) {
      if (length >= 4) {
        stem.resize(length - 4);
      }
    } else {
      stem.resize(length - 3);
    }
  } else if (EndsWithIgnoringCase(stem, "es") || EndsWithIgnoringCase(stem, "ly") ||
             EndsWithIgnoringCase(stem, "ed")) {
    stem.resize(length - 2);
  } else if (EndsWithIgnoringCase(stem, "s") || EndsWithIgnoringCase(stem, "d") ||
             EndsWithIgnoringCase(stem, "y")) {
    stem.resize(length - 1);
  }
  return stem;
}

TDictionary::TDictionary(const std::filesystem::path& folder, platform::FileAccess access)
    : wordIndexFile_(folder / WordIndexFileName, access),
      meaningOffsetFile_(folder / MeaningOffsetFileName, access),
      meaningTextFile_(folder / MeaningTextFileName, access),
      fourthDataFile_(folder / FourthDataFileName, access) {
  missingFlag_ = !wordIndexFile_.IsOpen() || !meaningOffsetFile_.IsOpen() ||
                 !meaningTextFile_.IsOpen() || !fourthDataFile_.IsOpen();
  std::array<std::uint8_t, 4> count{};
  ReadZeroFilled(meaningOffsetFile_, 0, count);
  wordCount_ = ClampedWordCount(ReadInt32(count.data()));
  ReadZeroFilled(fourthDataFile_, 0, reservedBlock_);
}

TDictionary::~TDictionary() {
  wordIndexFile_.Close();
  meaningOffsetFile_.Close();
  meaningTextFile_.Close();
  fourthDataFile_.Close();
}

// A count that the files cannot back would send the lookup and the word list to records that
// are not there, so it is cut to the headword records both index files hold, and to those
// that start below 2 GiB, where every offset of the format lies. WordCount + 1, the lookup's
// upper bound, then always fits.
std::int32_t TDictionary::ClampedWordCount(std::int32_t stored) const {
  constexpr std::int64_t MaxWordCount = INT32_MAX / WordRecordSize;
  const std::int64_t wordRecords = wordIndexFile_.Size() / WordRecordSize - 1;
  const std::int64_t offsetSlots = meaningOffsetFile_.Size() / MeaningOffsetSize - 1;
  const std::int64_t backed =
      std::clamp<std::int64_t>(std::min(wordRecords, offsetSlots), 0, MaxWordCount);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(stored, 0, backed));
}

bool TDictionary::TakeMissingFlag() {
  const bool missing = missingFlag_;
  missingFlag_ = false;
  return missing;
}

std::string TDictionary::GetWord(std::int32_t index) {
  std::array<std::uint8_t, WordRecordSize> record{};
  if (!ReadZeroFilled(wordIndexFile_, std::int64_t{index} * WordRecordSize, record)) {
    return std::string(2, '\0');
  }
  lastIndex_ = index;
  const std::size_t length = std::min<std::size_t>(record[0], MaxWordLength);
  return std::string(reinterpret_cast<const char*>(record.data() + 1), length);
}

std::string TDictionary::GetMeaning(std::int32_t index) {
  lastIndex_ = index;
  std::size_t length = 0;
  // An offset slot that is not wholly in the file names no meaning.
  std::array<std::uint8_t, MeaningOffsetSize> slot{};
  if (ReadZeroFilled(meaningOffsetFile_, std::int64_t{index} * MeaningOffsetSize, slot) ==
      slot.size()) {
    // The length byte and the longest text it can announce come in one read; the bytes past
    // the length are not looked at.
    const auto record = std::span(meaningBuffer_).first(1 + MaxMeaningLength);
    if (ReadZeroFilled(meaningTextFile_, ReadInt32(slot.data()), record)) {
      length = record[0];
      std::copy(record.begin() + 1, record.begin() + 1 + static_cast<std::ptrdiff_t>(length),
                meaningBuffer_.begin());
    }
  }
  meaningBuffer_[length] = 0;
  const auto* text = reinterpret_cast<const char*>(meaningBuffer_.data());
  return std::string(text, std::find(text, text + length, '\0'));
}

// The state of one running binary search: the key, the open interval (low, high), and the
// stem with the bounds the first search narrows for the stemmed searches.
struct TDictionary::SearchState {
  std::string Key;
  std::int32_t Low = 0;
  std::int32_t High = 0;
  std::int32_t Mid = 0;
  struct {
    std::string Stem;
    std::int32_t StemHigh = 0;
    std::int32_t StemLow = 0;
  } Stem;
  bool TrackLeft = false;
  bool TrackRight = false;
};

void TDictionary::SearchRange(SearchState& search) {
  while (std::int64_t{search.High} - search.Low > 1) {
    search.Mid = static_cast<std::int32_t>((std::int64_t{search.Low} + search.High) / 2);
    const std::string headword = GetWord(search.Mid);
    const int order = CompareWords(search.Key, headword);
    if (order < 0) {
      // While stem + "e" still sorts before the probed headword, that headword bounds the
      // stemmed searches from above.
      if (search.TrackLeft) {
        if (CompareWords(search.Stem.Stem + "e", headword) == -1) {
          search.Stem.StemHigh = search.Mid;
        } else {
          search.TrackLeft = false;
        }
      }
      search.High = search.Mid;
    } else if (order > 0) {
      if (search.TrackRight) {
        if (CompareWords(search.Stem.Stem, headword) == 1) {
          search.Stem.StemLow = search.Mid;
        } else {
          search.TrackRight = false;
        }
      }
      search.Low = search.Mid;
    } else {
      // A hit: walk back to the first of a run of equal headwords. Record 0 is the last one
      // looked at, so a key equal to the null headword cannot walk on below it.
      while (search.Mid > 0 && SameWord(GetWord(search.Mid - 1), search.Key)) {
        --search.Mid;
      }
      search.Low = search.Mid;
      search.High = search.Mid;
    }
  }
}

std::int32_t TDictionary::FindWord(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  const std::string_view word = first == std::string_view::npos
                                    ? std::string_view{}
                                    : text.substr(first, text.find_last_not_of(' ') - first + 1);

  SearchState search;
  search.Stem.Stem = StemWord(word);
  search.Stem.StemLow = 0;
  search.Stem.StemHigh = wordCount_ + 1;
  search.Key = std::string(word);
  search.Low = 0;
  search.High = wordCount_ + 1;
  search.TrackLeft = true;
  search.TrackRight = true;
  SearchRange(search);
  const std::int32_t nearest = search.High;
  lastIndex_ = nearest;

  // A partly typed word finds the first headword it begins.
  const std::string headword = GetWord(nearest);
  if (CompareWords(word, std::string_view(headword).substr(0, word.size())) == 0) {
    return lastIndex_;
  }

  search.Key = search.Stem.Stem;
  search.Low = search.Stem.StemLow;
  search.High = search.Stem.StemHigh;
  search.TrackLeft = false;
  search.TrackRight = false;
  SearchRange(search);
  if (search.Low == search.High) {
    lastIndex_ = search.High;
    return lastIndex_;
  }

  search.Key = search.Stem.Stem + "e";
  search.Low = search.Stem.StemLow;
  search.High = search.Stem.StemHigh;
  SearchRange(search);
  if (search.Low == search.High) {
    lastIndex_ = search.High;
  }
  // On a miss this is the headword the last search read last: one next to where the stem
  // would stand.
  return lastIndex_;
}

}  // namespace varkam
