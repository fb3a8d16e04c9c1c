#pragma once

// How the data files and the settings file lay out what they store: the file names, the sizes
// of their records, the 33-byte headword record and little-endian 32-bit integers. Defined once,
// for the dictionary that reads them, the settings record and the tools that write them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varkam {

inline constexpr std::string_view WordIndexFileName = "Dat01.vq";
inline constexpr std::string_view MeaningOffsetFileName = "Dat02.vq";
inline constexpr std::string_view MeaningTextFileName = "Dat03.vq";
inline constexpr std::string_view FourthDataFileName = "Dat04.vq";

inline constexpr int MaxWordLength = 32;
inline constexpr int WordRecordSize = 1 + MaxWordLength;  // a length byte, then the characters
inline constexpr int MeaningOffsetSize = 4;
inline constexpr int MaxMeaningLength = 255;
inline constexpr std::size_t ReservedBlockSize = 16326;

// A signed 32-bit integer stored little-endian at `at`.
inline std::int32_t ReadInt32(const std::uint8_t* at) {
  return static_cast<std::int32_t>(at[0] | (at[1] << 8) | (at[2] << 16) |
                                   (static_cast<std::uint32_t>(at[3]) << 24));
}

inline void WriteInt32(std::uint8_t* at, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) {
    at[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  }
}

inline void AppendInt32(std::string& out, std::int32_t value) {
  std::uint8_t bytes[4];
  WriteInt32(bytes, value);
  out.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// The headword record: its length (at most 32), its characters, and zeros after them.
inline std::array<char, WordRecordSize> WordRecord(std::string_view word) {
  std::array<char, WordRecordSize> record{};
  const std::size_t length = word.size() < MaxWordLength ? word.size() : MaxWordLength;
  record[0] = static_cast<char>(length);
  word.copy(record.data() + 1, length);
  return record;
}

}  // namespace varkam
