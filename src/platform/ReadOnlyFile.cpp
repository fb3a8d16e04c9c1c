#include "platform/ReadOnlyFile.h"

#include <cstring>

namespace varkam::platform {

std::optional<std::size_t> ReadOnlyFile::ReadAt(std::int64_t offset,
                                                std::span<std::uint8_t> buffer) {
  if (!IsOpen() || offset < 0 || offset > MaxOffset) {
    return std::nullopt;
  }
  const auto wanted = static_cast<std::int64_t>(buffer.size());
  if (view_ != nullptr && wanted <= viewSize_ - offset) {
    std::memcpy(buffer.data(), view_ + offset, buffer.size());
    return buffer.size();
  }
  // Past the view the file may have grown since it was mapped, or ends: the read calls know.
  return ReadPositional(offset, buffer);
}

ReadOnlyFile::~ReadOnlyFile() {
  Close();
}

void ReadOnlyFile::Close() {
  Unmap();
  CloseFile();
}

}  // namespace varkam::platform
