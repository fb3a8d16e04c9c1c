// vqbuild's StarDict reader over arbitrary .ifo and .idx files and a .dict.dz that unpacks to
// arbitrary texts (packed here, so that the fuzzer's bytes reach the unpacked side), or that is
// arbitrary bytes itself: records or a clear error, never a crash.

#include <zlib.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "FuzzFiles.h"
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
  std::string packed = texts;
  if (packHere) {
    uLongf room = compressBound(static_cast<uLong>(texts.size())) + 32;
    packed.assign(room, '\0');
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(texts.data()));
    stream.avail_in = static_cast<uInt>(texts.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(room);
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
  }
  std::ofstream(folder / "p.dict.dz", std::ios::binary | std::ios::trunc) << packed;
  try {
    varkam::tools::ReadStarDict(folder / "p.ifo");
  } catch (const std::runtime_error&) {
    // A dictionary that cannot be read is an error with the file's name; that is the answer.
  }
  return 0;
}
