#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>
#include <thread>
#include <utility>

#include "lib/Files.h"
#include "lib/Paths.h"
#include "platform/NewFile.h"

namespace varkam::tools::files {

namespace {

std::runtime_error SystemError(const std::string& what, const std::filesystem::path& path) {
  return std::runtime_error(what + " " + PathText(path) + ": " + std::strerror(errno));
}

Kind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) {
    return Kind::File;
  }
  if (S_ISDIR(mode)) {
    return Kind::Folder;
  }
  if (S_ISLNK(mode)) {
    return Kind::Link;
  }
  return S_ISFIFO(mode) ? Kind::Pipe : Kind::Other;
}

// The file is closed however the caller leaves.
class Descriptor {
 public:
  explicit Descriptor(int handle) : handle_(handle) {}
  ~Descriptor() {
    if (handle_ >= 0) {
      ::close(handle_);
    }
  }
  Descriptor(Descriptor&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return handle_; }
  int Release() { return std::exchange(handle_, -1); }

 private:
  int handle_;
};

std::string ReadAll(int handle, const std::filesystem::path& path, std::size_t expected) {
  std::string bytes;
  try {
    bytes.reserve(expected);
    char chunk[1 << 16];
    while (true) {
      const ssize_t got = ::read(handle, chunk, sizeof chunk);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got < 0) {
        throw SystemError("cannot read", path);
      }
      if (got == 0) {
        return bytes;
      }
      bytes.append(chunk, static_cast<std::size_t>(got));
    }
  } catch (const std::bad_alloc&) {
    throw std::runtime_error(PathText(path) + ": too large to read into memory (" +
                             std::to_string(std::max(expected, bytes.size())) + " bytes)");
  } catch (const std::length_error&) {
    throw std::runtime_error(PathText(path) + ": too large to read into memory (" +
                             std::to_string(expected) + " bytes)");
  }
}

// The folder's lock file, opened without following a link: refused when it is anything but
// an empty file, so that nothing of the user's is taken for it.
Descriptor OpenLockFile(const std::filesystem::path& path, struct stat& status) {
  Descriptor file(
      ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644));
  if (file.Get() < 0) {
    const Kind kind = KindOf(path);
    if (kind == Kind::Link || kind == Kind::Folder) {
      throw std::runtime_error(PathText(path) + " is " + KindName(kind) +
                               ", not vqbuild's lock file; move it away");
    }
    throw SystemError("cannot lock the folder: cannot open", path);
  }
  if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size != 0) {
    throw std::runtime_error(PathText(path) +
                             " is not vqbuild's lock file (that is empty); move it away");
  }
  return file;
}

// Whether the name still leads to the file opened.
bool IsNamed(const std::filesystem::path& path, const struct stat& status) {
  struct stat named {};
  return ::lstat(path.c_str(), &named) == 0 && named.st_dev == status.st_dev &&
         named.st_ino == status.st_ino;
}

}  // namespace

Kind KindOf(const std::filesystem::path& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) {
    return Kind::Missing;
  }
  return KindOfMode(status.st_mode);
}

std::string ReadWholeFile(const std::filesystem::path& path, bool pipeAllowed) {
  // The kind is known before anything is opened: opening a pipe with no writer would wait.
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    throw SystemError("cannot read", path);
  }
  const Kind kind = KindOfMode(status.st_mode);
  if (kind != Kind::File && !(kind == Kind::Pipe && pipeAllowed)) {
    throw std::runtime_error(PathText(path) + " is " + KindName(kind) + ", not a file");
  }
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0) {
    throw SystemError("cannot read", path);
  }
  return ReadAll(file.Get(), path,
                 kind == Kind::File ? static_cast<std::size_t>(status.st_size) : 0);
}

void WriteNewFile(const std::filesystem::path& path, std::string_view content) {
  if (const auto failure = platform::WriteNewFile(path, content)) {
    errno = static_cast<int>(failure->code);
    throw SystemError(failure->stage == platform::NewFileFailure::Stage::Create ? "cannot create"
                                                                                : "cannot write",
                      path);
  }
}

void MakeFolders(const std::filesystem::path& path) {
  const Kind kind = KindOf(path);
  if (kind == Kind::Folder || (kind == Kind::Link && std::filesystem::is_directory(path))) {
    return;  // a link the user made to a folder of theirs is where they want the dictionary
  }
  if (kind != Kind::Missing) {
    throw std::runtime_error(PathText(path) + " is " + KindName(kind) + ", not a folder");
  }
  if (path.has_parent_path() && path.parent_path() != path) {
    MakeFolders(path.parent_path());
  }
  if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
    throw SystemError("cannot make the folder", path);
  }
}

void RemoveFile(const std::filesystem::path& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
    throw SystemError("cannot remove", path);
  }
}

bool RemoveEmptyFolder(const std::filesystem::path& path) {
  if (::rmdir(path.c_str()) == 0 || errno == ENOENT) {
    return true;
  }
  if (errno == ENOTEMPTY || errno == EEXIST) {
    return false;
  }
  throw SystemError("cannot remove the folder", path);
}

void Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) {
    throw std::runtime_error("cannot move " + PathText(from) + " to " + PathText(to) + ": " +
                             std::strerror(errno));
  }
}

void SyncFolder(const std::filesystem::path& folder) {
  Descriptor handle(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (handle.Get() >= 0) {
    ::fsync(handle.Get());
  }
}

FolderLock::FolderLock(const std::filesystem::path& folder, std::chrono::milliseconds wait,
                       const std::function<void()>& onWait)
    : path_(folder / LockFileName) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  bool waiting = false;
  while (true) {
    struct stat status {};
    Descriptor file = OpenLockFile(path_, status);
    if (::flock(file.Get(), LOCK_EX | LOCK_NB) == 0) {
      // The holder before removes the file as it lets go: a lock on a removed file holds
      // nothing, so the file at the name must be the one locked.
      if (IsNamed(path_, status)) {
        handle_ = file.Release();
        return;
      }
      continue;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      throw SystemError("cannot lock the folder through", path_);
    }
    WaitForHolder(std::chrono::steady_clock::now() >= deadline, waiting, onWait, folder, path_);
  }
}

FolderLock::~FolderLock() {
  struct stat held {};
  struct stat named {};
  if (::fstat(static_cast<int>(handle_), &held) == 0 && held.st_size == 0 &&
      ::lstat(path_.c_str(), &named) == 0 && named.st_ino == held.st_ino &&
      named.st_dev == held.st_dev) {
    ::unlink(path_.c_str());
  }
  ::close(static_cast<int>(handle_));
}

}  // namespace varkam::tools::files
