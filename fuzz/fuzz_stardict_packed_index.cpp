// vqbuild's StarDict reader over a packed index: arbitrary .ifo and .dict files, and an .idx.gz
// that unpacks to arbitrary bytes (packed here, so that the fuzzer's bytes reach the unpacked
// side, with the .ifo told its size or not) or that is arbitrary bytes itself: records or a
// clear error, never a crash, and never more unpacked than the .ifo allows.

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "FuzzFiles.h"
#include "Packing.h"
#include "lib/StarDict.h"

namespace {

std::string Read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const bool packHere = (data[0] & 1) != 0;
  const bool sizeGiven = (data[0] & 2) != 0;
  const auto& folder = varkam::fuzz::ScratchFolder();
  varkam::fuzz::SplitIntoFiles(data + 1, size - 1, {"i.ifo", "i.index", "i.dict"});
  const std::string index = Read(folder / "i.index");
  if (sizeGiven) {
    std::ofstream(folder / "i.ifo", std::ios::binary | std::ios::app)
        << "\nidxfilesize=" << index.size() << "\n";
  }
  std::ofstream(folder / "i.idx.gz", std::ios::binary | std::ios::trunc)
      << (packHere ? varkam::fuzz::Gzip(index) : index);
  try {
    varkam::tools::StarDictReader(folder / "i.ifo").ForEach([](const auto&) {});
  } catch (const std::runtime_error&) {
    // A dictionary that cannot be read is an error with the file's name; that is the answer.
  }
  return 0;
}
