#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

namespace varkam::platform {

// How a ReadOnlyFile reaches its bytes.
enum class FileAccess {
  // A read-only view of the whole file as it was opened, so that a read is a memory copy: a
  // rewrite in place shows, a part added later does not. Positional reads stand in when no
  // view can be made (an empty file, a folder, a device). On POSIX systems a file cut short
  // in place while it is mapped ends the reader with SIGBUS; the dictionary is replaced by
  // renaming new files over the old ones, which leaves an open view whole.
  Mapped,
  // One positional read a call, nothing held in memory.
  Positional,
};

// An existing file opened for reading only, with reading and writing shared, so that other
// programs may read or rewrite it meanwhile. Opening never creates a file.
class ReadOnlyFile {
 public:
  // The largest offset a move may reach: data file offsets are signed 32-bit values.
  static constexpr std::int64_t MaxOffset = INT32_MAX;

  ReadOnlyFile() = default;
  explicit ReadOnlyFile(const std::filesystem::path& name, FileAccess access = FileAccess::Mapped);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return handle_ != InvalidHandle; }

  // Whether reads come from a view of the file rather than from read calls.
  bool IsMapped() const { return view_ != nullptr; }

  // Reads up to buffer.size() bytes at `offset` from the file's start (the file's own position
  // is not relied on). Returns the number of bytes delivered (fewer at the end of the file),
  // or nothing when the offset cannot be reached: the file is not open, or the offset is
  // negative or beyond MaxOffset.
  std::optional<std::size_t> ReadAt(std::int64_t offset, std::span<std::uint8_t> buffer);

  // The file's size in bytes; 0 when it is not open or its size cannot be had.
  std::int64_t Size() const;

  // Closes the file if it is open; a closed file stays closed.
  void Close();

 private:
  static constexpr std::intptr_t InvalidHandle = -1;

  // Each system's own: the view of the whole file, made at opening and dropped at closing,
  // and the read calls.
  void Map();
  void Unmap();
  void CloseFile();
  std::size_t ReadPositional(std::int64_t offset, std::span<std::uint8_t> buffer);

  std::intptr_t handle_ = InvalidHandle;
  std::intptr_t mapping_ = 0;  // the mapping object behind the view, where the system has one
  const std::uint8_t* view_ = nullptr;
  std::int64_t viewSize_ = 0;
};

}  // namespace varkam::platform
