#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace varkam::platform {

// An existing file opened for reading only, with reading and writing shared, so that other
// programs may read or rewrite it meanwhile. Opening never creates a file.
class ReadOnlyFile {
 public:
  // The largest offset a move may reach: data file offsets are signed 32-bit values.
  static constexpr std::int64_t MaxOffset = INT32_MAX;

  ReadOnlyFile() = default;
  explicit ReadOnlyFile(const std::filesystem::path& name);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return handle_ != InvalidHandle; }

  // Reads up to buffer.size() bytes at `offset` from the file's start, in one positional read
  // (the file's own position is not relied on). Returns the number of bytes delivered (fewer
  // at the end of the file), or nothing when the offset cannot be reached: the file is not
  // open, or the offset is negative or beyond MaxOffset.
  std::optional<std::size_t> ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer);

  // The file's size in bytes; 0 when it is not open or its size cannot be had.
  std::int64_t Size() const;

  // Closes the file if it is open; a closed file stays closed.
  void Close();

 private:
  static constexpr std::intptr_t InvalidHandle = -1;
  std::intptr_t handle_ = InvalidHandle;
};

}  // namespace varkam::platform
