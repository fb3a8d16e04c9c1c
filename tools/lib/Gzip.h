#pragma once

// Packed StarDict files: gzip, and dictzip, the gzip whose text is packed in chunks so that any
// part of it can be unpacked alone.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varkam::tools {

// A deflate stream gives at most 258 bytes for each two bits it holds.
inline constexpr std::uint64_t LargestDeflateRatio = 1032;

// The gzip file's bytes unpacked, all its members, or the first `limit` of them: a small file
// may unpack to gigabytes, and no more is unpacked than is asked for. Throws
// std::runtime_error naming `path` when the file ends before `limit` and is not whole.
std::string Gunzip(const std::filesystem::path& path, std::string_view packed, std::uint64_t limit);

class Dictzip {
 public:
  // The chunks of a dictzip file, from the "RA" field of its gzip header; nothing when the
  // file is not one, or its chunks do not fit in it. `packed` must outlive the object.
  static std::optional<Dictzip> Open(std::string_view packed);

  // How many bytes the chunks can hold.
  std::uint64_t Capacity() const { return chunkLength_ * (chunkStarts_.size() - 1); }

  // The bytes at [offset, offset + size), unpacking only the chunks they lie in; nothing when
  // one of those is damaged or the range lies past the text.
  std::optional<std::string> Read(std::uint64_t offset, std::uint64_t size);

 private:
  Dictzip(std::string_view packed, std::uint64_t chunkLength, std::vector<std::size_t> chunkStarts)
      : packed_(packed), chunkLength_(chunkLength), chunkStarts_(std::move(chunkStarts)) {}
  const std::string* Chunk(std::size_t number);

  std::string_view packed_;
  std::uint64_t chunkLength_;
  std::vector<std::size_t> chunkStarts_;  // where each chunk begins, and where the last ends
  std::size_t cachedNumber_ = SIZE_MAX;   // entries mostly come in the order of their texts
  std::string cached_;
};

}  // namespace varkam::tools
