#include "platform/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace varkam::platform {

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& name) {
  const int descriptor = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor >= 0) {
    handle_ = descriptor;
  }
}

ReadOnlyFile::~ReadOnlyFile() {
  Close();
}

std::optional<std::size_t> ReadOnlyFile::ReadAt(std::int64_t offset,
                                                std::span<std::uint8_t> buffer) {
  if (!IsOpen() || offset < 0 || offset > MaxOffset) {
    return std::nullopt;
  }
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

void ReadOnlyFile::Close() {
  if (IsOpen()) {
    ::close(static_cast<int>(handle_));
    handle_ = InvalidHandle;
  }
}

}  // namespace varkam::platform
