#include <windows.h>

#include <algorithm>

#include "platform/ReadOnlyFile.h"

namespace varkam::platform {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

// Others may read and rewrite the file, and move it aside: a build replaces a dictionary by
// moving the old files into previous/ while a window has them open, and the window goes on
// reading the files it opened.
ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& name, FileAccess access) {
  const HANDLE file =
      ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  handle_ = reinterpret_cast<std::intptr_t>(file);  // INVALID_HANDLE_VALUE is -1
  if (IsOpen() && access == FileAccess::Mapped) {
    Map();
  }
}

void ReadOnlyFile::Map() {
  // Windows refuses to shorten a file while a view of it is open, so a view never loses pages
  // under the reader.
  const std::int64_t size = std::min<std::int64_t>(Size(), MaxOffset);
  if (size <= 0) {
    return;  // an empty file has no mapping
  }
  const HANDLE mapping =
      ::CreateFileMappingW(AsHandle(handle_), nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (mapping == nullptr) {
    return;
  }
  void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(size));
  if (view == nullptr) {
    ::CloseHandle(mapping);
    return;
  }
  mapping_ = reinterpret_cast<std::intptr_t>(mapping);
  view_ = static_cast<const std::uint8_t*>(view);
  viewSize_ = size;
}

void ReadOnlyFile::Unmap() {
  if (view_ != nullptr) {
    ::UnmapViewOfFile(view_);
    ::CloseHandle(AsHandle(mapping_));
    view_ = nullptr;
    viewSize_ = 0;
    mapping_ = 0;
  }
}

std::size_t ReadOnlyFile::ReadPositional(std::int64_t offset, std::span<std::uint8_t> buffer) {
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

void ReadOnlyFile::CloseFile() {
  if (IsOpen()) {
    ::CloseHandle(AsHandle(handle_));
    handle_ = InvalidHandle;
  }
}

}  // namespace varkam::platform
