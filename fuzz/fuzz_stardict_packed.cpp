// vqbuild's StarDict reader over arbitrary .ifo and .idx files and a .dict.dz that unpacks to
// arbitrary texts (packed here, as gzip or as dictzip's chunks, so that the fuzzer's bytes reach
// the unpacked side), or that is arbitrary bytes itself: records or a clear error, never a
// crash.

#include <fstream>
#include <stdexcept>
#include <string>

#include "FuzzFiles.h"
#include "Packing.h"
#include "lib/StarDict.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const bool packHere = (data[0] & 1) != 0;
  const auto& folder = varkam::fuzz::ScratchFolder();
  varkam::fuzz::SplitIntoFiles(data + 1, size - 1, {"p.ifo", "p.idx", "p.texts"});
  std::ifstream in(folder / "p.texts", std::ios::binary);
  const std::string texts((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const bool dictzip = (data[0] & 2) != 0;
  const std::string packed = !packHere ? texts
                             : dictzip ? varkam::fuzz::Dictzip(texts, 64)
                                       : varkam::fuzz::Gzip(texts);
  std::ofstream(folder / "p.dict.dz", std::ios::binary | std::ios::trunc) << packed;
  try {
    varkam::tools::StarDictReader(folder / "p.ifo").ForEach([](const auto&) {});
  } catch (const std::runtime_error&) {
    // A dictionary that cannot be read is an error with the file's name; that is the answer.
  }
  return 0;
}
