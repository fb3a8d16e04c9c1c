#include "platform/NewFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace varkam::platform {

std::optional<NewFileFailure> WriteNewFile(const std::filesystem::path& path,
                                           std::string_view content) {
  const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (file < 0) {
    return NewFileFailure{NewFileFailure::Stage::Create, static_cast<std::uint32_t>(errno)};
  }
  const auto failed = [file] {
    const int code = errno;
    ::close(file);
    return NewFileFailure{NewFileFailure::Stage::Write, static_cast<std::uint32_t>(code)};
  };
  for (std::size_t done = 0; done < content.size();) {
    const ssize_t wrote = ::write(file, content.data() + done, content.size() - done);
    if (wrote < 0 && errno == EINTR) {
      continue;
    }
    if (wrote <= 0) {
      return failed();
    }
    done += static_cast<std::size_t>(wrote);
  }
  if (::fsync(file) != 0) {
    return failed();
  }
  // A close that fails may have lost the bytes.
  if (::close(file) != 0) {
    return NewFileFailure{NewFileFailure::Stage::Write, static_cast<std::uint32_t>(errno)};
  }
  return std::nullopt;
}

}  // namespace varkam::platform
