#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/ReadOnlyFile.h"

namespace varkam::platform {

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& name, FileAccess access) {
  // Not held up by a pipe put where a data file belongs: it opens, and reads as empty.
  const int descriptor = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) {
    return;
  }
  handle_ = descriptor;
  if (access == FileAccess::Mapped) {
    Map();
  }
}

void ReadOnlyFile::Map() {
  struct stat status {};
  if (::fstat(static_cast<int>(handle_), &status) != 0 || !S_ISREG(status.st_mode) ||
      status.st_size <= 0) {
    return;
  }
  // No read can start past MaxOffset, and what lies past the view reads as the file's end.
  const auto size = static_cast<std::size_t>(std::min<std::int64_t>(status.st_size, MaxOffset));
  void* view = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, static_cast<int>(handle_), 0);
  if (view == MAP_FAILED) {
    return;
  }
  // The binary search jumps about the file: reading ahead would only bring in pages it skips.
  ::madvise(view, size, MADV_RANDOM);
  view_ = static_cast<const std::uint8_t*>(view);
  viewSize_ = static_cast<std::int64_t>(size);
}

void ReadOnlyFile::Unmap() {
  if (view_ != nullptr) {
    ::munmap(const_cast<std::uint8_t*>(view_), static_cast<std::size_t>(viewSize_));
    view_ = nullptr;
    viewSize_ = 0;
  }
}

std::size_t ReadOnlyFile::ReadPositional(std::int64_t offset, std::span<std::uint8_t> buffer) {
  // A read may deliver less than asked before the end of the file; keep reading until the
  // buffer is full, the file ends, or the read fails.
  std::size_t delivered = 0;
  while (delivered < buffer.size()) {
    const ssize_t got =
        ::pread(static_cast<int>(handle_), buffer.data() + delivered, buffer.size() - delivered,
                static_cast<off_t>(offset + static_cast<std::int64_t>(delivered)));
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    delivered += static_cast<std::size_t>(got);
  }
  return delivered;
}

std::int64_t ReadOnlyFile::Size() const {
  struct stat status {};
  if (!IsOpen() || ::fstat(static_cast<int>(handle_), &status) != 0) {
    return 0;
  }
  return static_cast<std::int64_t>(status.st_size);
}

void ReadOnlyFile::CloseFile() {
  if (IsOpen()) {
    ::close(static_cast<int>(handle_));
    handle_ = InvalidHandle;
  }
}

}  // namespace varkam::platform
