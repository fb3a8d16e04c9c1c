#include "lib/Files.h"

namespace varkam::tools::files {

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
