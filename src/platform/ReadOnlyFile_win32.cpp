#include "platform/ReadOnlyFile.h"

#include <windows.h>

namespace varkam::platform {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& name) {
  const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  handle_ = reinterpret_cast<std::intptr_t>(file);  // INVALID_HANDLE_VALUE is -1
}

ReadOnlyFile::~ReadOnlyFile() {
  Close();
}

std::optional<std::size_t> ReadOnlyFile::ReadAt(std::int64_t offset,
                                                std::span<std::uint8_t> buffer) {
  if (!IsOpen() || offset < 0 || offset > MaxOffset) {
    return std::nullopt;
  }
  std::size_t delivered = 0;
  while (delivered < buffer.size()) {
    // The offset in the OVERLAPPED makes the read positional: one call, no move first.
    const std::int64_t at = offset + static_cast<std::int64_t>(delivered);
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(at & 0xFFFFFFFF);
    position.OffsetHigh = static_cast<DWORD>(at >> 32);
    DWORD got = 0;
    const DWORD wanted = static_cast<DWORD>(buffer.size() - delivered);
    if (!::ReadFile(AsHandle(handle_), buffer.data() + delivered, wanted, &got, &position) ||
        got == 0) {
      break;
    }
    delivered += got;
  }
  return delivered;
}

std::int64_t ReadOnlyFile::Size() const {
  LARGE_INTEGER size{};
  if (!IsOpen() || !::GetFileSizeEx(AsHandle(handle_), &size)) {
    return 0;
  }
  return size.QuadPart;
}

void ReadOnlyFile::Close() {
  if (IsOpen()) {
    ::CloseHandle(AsHandle(handle_));
    handle_ = InvalidHandle;
  }
}

}  // namespace varkam::platform
