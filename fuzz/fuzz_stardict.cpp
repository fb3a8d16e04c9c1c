// vqbuild's StarDict reader over arbitrary .ifo, .idx and .dict files: records or a clear
// error, never a crash.

#include <stdexcept>

#include "FuzzFiles.h"
#include "lib/StarDict.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  varkam::fuzz::SplitIntoFiles(data, size, {"d.ifo", "d.idx", "d.dict"});
  try {
    varkam::tools::StarDictReader(varkam::fuzz::ScratchFolder() / "d.ifo").ForEach([](const auto&) {
    });
  } catch (const std::runtime_error&) {
  }
  return 0;
}
