#include "lib/Files.h"

#include <stdexcept>
#include <thread>

#include "lib/Paths.h"

namespace varkam::tools::files {

void WaitForHolder(bool timedOut, bool& waiting, const std::function<void()>& onWait,
                   const std::filesystem::path& folder, const std::filesystem::path& lock) {
  if (timedOut) {
    throw std::runtime_error("another build is still writing into " + PathText(folder) +
                             " (it holds " + PathText(lock) +
                             "); it may have stopped answering. Nothing was written");
  }
  if (!waiting && onWait) {
    onWait();
  }
  waiting = true;
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

std::string KindName(Kind kind) {
  switch (kind) {
    case Kind::Missing: return "nothing";
    case Kind::File: return "a file";
    case Kind::Folder: return "a folder";
    case Kind::Link: return "a link";
    case Kind::Pipe: return "a pipe";
    case Kind::Other: break;
  }
  return "a device or a socket";
}

}  // namespace varkam::tools::files
