#include "platform/ReadOnlyFile.h"

#include <algorithm>
#include <cstring>

namespace varkam::platform {

std::optional<std::size_t> ReadOnlyFile::ReadAt(std::int64_t offset,
                                                std::span<std::uint8_t> buffer) {
  if (!IsOpen() || offset < 0 || offset > MaxOffset) {
    return std::nullopt;
  }
  if (view_ == nullptr) {
    return ReadPositional(offset, buffer);
  }
  // The view is the file as it was opened: what lies past it reads as the end of the file,
  // without a read call (the lookup asks for the record after the last one on every miss).
  const auto available = static_cast<std::size_t>(std::max<std::int64_t>(0, viewSize_ - offset));
  const std::size_t delivered = std::min(buffer.size(), available);
  std::memcpy(buffer.data(), view_ + offset, delivered);
  return delivered;
}

ReadOnlyFile::~ReadOnlyFile() {
  Close();
}

void ReadOnlyFile::Close() {
  Unmap();
  CloseFile();
}

}  // namespace varkam::platform
