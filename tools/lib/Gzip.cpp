#include "lib/Gzip.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

#include "lib/Paths.h"

namespace varkam::tools {

namespace {

constexpr std::uint8_t ExtraField = 4;
constexpr std::uint8_t NameField = 8;
constexpr std::uint8_t CommentField = 16;
constexpr std::uint8_t HeaderCheck = 2;

// The inflate stream ended however the caller leaves.
class Inflater {
 public:
  explicit Inflater(int windowBits) { ready_ = inflateInit2(&stream_, windowBits) == Z_OK; }
  ~Inflater() {
    if (ready_) {
      inflateEnd(&stream_);
    }
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  bool Ready() const { return ready_; }
  z_stream& Stream() { return stream_; }

 private:
  z_stream stream_{};
  bool ready_ = false;
};

void Feed(z_stream& stream, std::string_view packed) {
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  stream.avail_in = static_cast<uInt>(std::min<std::size_t>(packed.size(), UINT32_MAX));
}

// Where the text of a gzip file begins, past its header's optional fields; 0 when the header
// is cut short.
std::size_t TextStart(std::string_view packed, std::size_t extraEnd) {
  const auto flags = static_cast<std::uint8_t>(packed[3]);
  std::size_t at = extraEnd;
  for (const std::uint8_t field : {NameField, CommentField}) {
    if (flags & field) {
      const std::size_t end = packed.find('\0', at);
      if (end == std::string_view::npos) {
        return 0;
      }
      at = end + 1;
    }
  }
  at += (flags & HeaderCheck) ? 2 : 0;
  return at <= packed.size() ? at : 0;
}

}  // namespace

std::string Gunzip(const std::filesystem::path& path, std::string_view packed,
                   std::uint64_t limit) {
  Inflater inflater(15 + 32);
  if (!inflater.Ready()) {
    throw std::runtime_error(PathText(path) + ": cannot start decompressing");
  }
  z_stream& stream = inflater.Stream();
  Feed(stream, packed);
  std::string out;
  char chunk[1 << 16];
  int status = Z_OK;
  while (out.size() < limit) {
    stream.next_out = reinterpret_cast<Bytef*>(chunk);
    stream.avail_out = sizeof chunk;
    status = inflate(&stream, Z_NO_FLUSH);
    out.append(chunk, sizeof chunk - stream.avail_out);
    if (status == Z_STREAM_END && stream.avail_in > 0) {
      inflateReset(&stream);  // another member follows
      status = Z_OK;
    } else if (status != Z_OK) {
      break;
    }
  }
  if (out.size() >= limit) {
    out.resize(static_cast<std::size_t>(limit));
  } else if (status != Z_STREAM_END) {
    throw std::runtime_error(PathText(path) + ": not a complete gzip file");
  }
  return out;
}

std::optional<Dictzip> Dictzip::Open(std::string_view packed) {
  if (packed.size() < 12 || (static_cast<std::uint8_t>(packed[3]) & ExtraField) == 0) {
    return std::nullopt;
  }
  const auto byte = [&packed](std::size_t at) { return static_cast<std::uint8_t>(packed[at]); };
  const auto word = [&byte](std::size_t at) { return std::size_t{byte(at)} | byte(at + 1) << 8; };
  const std::size_t extraEnd = 12 + word(10);
  if (extraEnd > packed.size()) {
    return std::nullopt;
  }
  for (std::size_t field = 12; field + 4 <= extraEnd;) {
    const std::size_t length = word(field + 2);
    const std::size_t data = field + 4;
    if (packed[field] == 'R' && packed[field + 1] == 'A' && length >= 6 &&
        data + length <= extraEnd) {
      const std::size_t count = word(data + 4);
      std::vector<std::size_t> starts{TextStart(packed, extraEnd)};
      if (length < 6 + 2 * count || starts[0] == 0) {
        return std::nullopt;
      }
      for (std::size_t i = 0; i < count; ++i) {
        starts.push_back(starts.back() + word(data + 6 + 2 * i));
      }
      if (starts.back() > packed.size() || word(data + 2) == 0) {
        return std::nullopt;
      }
      return Dictzip(packed, word(data + 2), std::move(starts));
    }
    field = data + length;
  }
  return std::nullopt;
}

// Each chunk is packed on its own (the packer flushed fully between them), so a raw inflate
// of its bytes alone gives its text.
const std::string* Dictzip::Chunk(std::size_t number) {
  if (number == cachedNumber_) {
    return &cached_;
  }
  cachedNumber_ = SIZE_MAX;
  Inflater inflater(-15);
  if (!inflater.Ready()) {
    return nullptr;
  }
  z_stream& stream = inflater.Stream();
  Feed(stream,
       packed_.substr(chunkStarts_[number], chunkStarts_[number + 1] - chunkStarts_[number]));
  cached_.assign(static_cast<std::size_t>(chunkLength_), '\0');
  stream.next_out = reinterpret_cast<Bytef*>(cached_.data());
  stream.avail_out = static_cast<uInt>(cached_.size());
  const int status = inflate(&stream, Z_SYNC_FLUSH);
  if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
    return nullptr;
  }
  cached_.resize(cached_.size() - stream.avail_out);
  cachedNumber_ = number;
  return &cached_;
}

std::optional<std::string> Dictzip::Read(std::uint64_t offset, std::uint64_t size) {
  if (offset > Capacity() || size > Capacity() - offset) {
    return std::nullopt;
  }
  std::string text;
  for (std::uint64_t at = offset; at < offset + size;) {
    const std::string* chunk = Chunk(static_cast<std::size_t>(at / chunkLength_));
    const std::uint64_t within = at % chunkLength_;
    if (chunk == nullptr || within >= chunk->size()) {
      return std::nullopt;
    }
    const std::uint64_t take = std::min<std::uint64_t>(chunk->size() - within, offset + size - at);
    text.append(*chunk, static_cast<std::size_t>(within), static_cast<std::size_t>(take));
    at += take;
  }
  return text;
}

}  // namespace varkam::tools
