#pragma once

// Packing for the fuzz targets, so that the fuzzer's bytes reach the unpacked side of a packed
// StarDict file: gzip, and dictzip (gzip in chunks packed on their own).

#include <zlib.h>

#include <string>
#include <string_view>
#include <vector>

namespace varkam::fuzz {

// Raw deflate of `text`, ended by a full flush (dictzip's chunks) or as a whole gzip file.
inline std::string Deflate(std::string_view text, bool gzip) {
  z_stream stream{};
  deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, gzip ? 15 + 16 : -15, 8,
               Z_DEFAULT_STRATEGY);
  std::string packed(deflateBound(&stream, static_cast<uLong>(text.size())) + 64, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(packed.data());
  stream.avail_out = static_cast<uInt>(packed.size());
  deflate(&stream, gzip ? Z_FINISH : Z_FULL_FLUSH);
  packed.resize(stream.total_out);
  deflateEnd(&stream);
  return packed;
}

inline std::string Gzip(std::string_view text) {
  return Deflate(text, true);
}

// A dictzip file of `text` in chunks of `chunkLength` bytes.
inline std::string Dictzip(std::string_view text, std::size_t chunkLength) {
  std::vector<std::string> chunks;
  for (std::size_t at = 0; at < text.size() && chunks.size() < 30000; at += chunkLength) {
    chunks.push_back(Deflate(text.substr(at, chunkLength), false));
  }
  const auto word = [](std::size_t value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
  };
  std::string field =
      "RA" + word(6 + 2 * chunks.size()) + word(1) + word(chunkLength) + word(chunks.size());
  for (const std::string& chunk : chunks) {
    field += word(chunk.size());
  }
  std::string file = std::string("\x1F\x8B\x08\x04", 4) + std::string(4, '\0') + "\x02\x03" +
                     word(field.size()) + field;
  for (const std::string& chunk : chunks) {
    file += chunk;
  }
  return file + std::string(8, '\0');
}

}  // namespace varkam::fuzz
