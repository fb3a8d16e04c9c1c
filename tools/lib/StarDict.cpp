#include "lib/StarDict.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string_view>

#include "lib/Paths.h"
#include "lib/Utf8.h"

namespace varkam::tools {

namespace {

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw std::runtime_error(PathText(path) + ": cannot be read");
  }
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A gzip file (a .dict.dz is one with random-access notes in its header), all members, or
// its first `limit` bytes: a small file may unpack to gigabytes, and no more is read than the
// index can point to.
std::string Gunzip(const std::filesystem::path& path, std::uint64_t limit) {
  const std::string packed = ReadWhole(path);
  z_stream stream{};
  if (inflateInit2(&stream, 15 + 32) != Z_OK) {
    throw std::runtime_error(PathText(path) + ": cannot start decompressing");
  }
  std::string out;
  char chunk[1 << 16];
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
  stream.avail_in = static_cast<uInt>(packed.size());
  int status = Z_OK;
  while (true) {
    stream.next_out = reinterpret_cast<Bytef*>(chunk);
    stream.avail_out = sizeof chunk;
    status = inflate(&stream, Z_NO_FLUSH);
    out.append(chunk, sizeof chunk - stream.avail_out);
    if (out.size() >= limit) {
      out.resize(static_cast<std::size_t>(limit));
      inflateEnd(&stream);
      return out;
    }
    if (status == Z_STREAM_END && stream.avail_in > 0) {
      inflateReset(&stream);  // another member follows
      continue;
    }
    if (status != Z_OK) {
      break;
    }
  }
  inflateEnd(&stream);
  if (status != Z_STREAM_END) {
    throw std::runtime_error(PathText(path) + ": not a complete gzip file");
  }
  return out;
}

std::string Uppercase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}

// The file at `base` + `ending`, in the letter case of the .ifo's ending or in lower case.
std::optional<std::filesystem::path> FindPart(const std::filesystem::path& base,
                                              std::string_view ending, bool upper) {
  for (const std::string& tried :
       {upper ? Uppercase(std::string(ending)) : std::string(ending), std::string(ending)}) {
    const std::filesystem::path path = WithEnding(base, tried);
    if (std::filesystem::exists(path)) {
      return path;
    }
  }
  return std::nullopt;
}

// The file at `base` + one of the endings, read and unpacked (at most `limit` bytes of a
// packed one); the first that exists. Every failure names the file, running out of memory too.
std::pair<std::filesystem::path, std::string> ReadPart(const std::filesystem::path& base,
                                                       std::string_view plain,
                                                       std::string_view packed, bool upper,
                                                       std::uint64_t limit) {
  const auto plainPath = FindPart(base, plain, upper);
  const auto packedPath = FindPart(base, packed, upper);
  const std::filesystem::path path = plainPath ? *plainPath : packedPath ? *packedPath : "";
  if (path.empty()) {
    throw std::runtime_error("neither " + PathText(base) + std::string(plain) + " nor " +
                             PathText(base) + std::string(packed) + " exists");
  }
  try {
    return {path, plainPath ? ReadWhole(path) : Gunzip(path, limit)};
  } catch (const std::bad_alloc&) {
    throw std::runtime_error(PathText(path) + ": too large to read into memory");
  } catch (const std::length_error&) {
    throw std::runtime_error(PathText(path) + ": too large to read into memory");
  }
}

std::map<std::string, std::string> ReadIfo(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw std::runtime_error(PathText(path) + ": not found");
  }
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line) || line.rfind("StarDict's dict ifo file", 0) != 0) {
    throw std::runtime_error(PathText(path) + ": not a StarDict .ifo file");
  }
  std::map<std::string, std::string> settings;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) {
      settings[line.substr(0, equals)] = line.substr(equals + 1);
    }
  }
  return settings;
}

std::uint64_t BigEndian(std::string_view bytes) {
  std::uint64_t value = 0;
  for (const char c : bytes) {
    value = (value << 8) | static_cast<std::uint8_t>(c);
  }
  return value;
}

bool IsPlainTextType(char type) {
  return type == 'm' || type == 't' || type == 'y';
}
bool IsMarkupType(char type) {
  return type == 'g' || type == 'h' || type == 'k' || type == 'x';
}

// Markup to plain text: tags go, line-breaking tags become line breaks, entities are undone.
// A character reference that names no character sets `problem`, so nothing is lost unsaid.
std::string StrippedMarkup(std::string_view markup, std::string& problem) {
  static const std::map<std::string, std::string, std::less<>> entities = {
      {"lt", "<"}, {"gt", ">"}, {"amp", "&"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
  std::string text;
  for (std::size_t i = 0; i < markup.size(); ++i) {
    if (markup[i] == '<') {
      const std::size_t close = markup.find('>', i);
      const std::string_view tag = markup.substr(
          i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1);
      if (tag.rfind("br", 0) == 0 || tag == "/p" || tag == "/div" || tag == "/k") {
        text += '\n';
      }
      if (close == std::string_view::npos) {
        break;
      }
      i = close;
    } else if (markup[i] == '&') {
      const std::size_t semicolon = markup.find(';', i);
      const std::string_view name =
          markup.substr(i + 1, semicolon == std::string_view::npos ? 0 : semicolon - i - 1);
      if (const auto found = entities.find(name); found != entities.end()) {
        text += found->second;
        i = semicolon;
      } else if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits(name.substr(hex ? 2 : 1));
        const unsigned long code = std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10);
        if (code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
          problem = "the character reference &" + std::string(name) + "; names no character";
        } else if (code >= 0x10000) {
          const auto high = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
          const auto low = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
          text += Utf16ToUtf8(std::u16string{high, low});
        } else {
          text += Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(code)));
        }
        i = semicolon;
      } else {
        text += '&';
      }
    } else {
      text += markup[i];
    }
  }
  return text;
}

// Line breaks as CR LF, and no blank space at either end.
std::u16string Meaning(const std::u16string& text) {
  std::u16string out;
  for (const char16_t c : text) {
    if (c == u'\n') {
      out += u"\r\n";
    } else if (c != u'\r') {
      out += c;
    }
  }
  const std::size_t first = out.find_first_not_of(u" \t\r\n");
  if (first == std::u16string::npos) {
    return {};
  }
  return out.substr(first, out.find_last_not_of(u" \t\r\n") - first + 1);
}

struct ItemReader {
  std::string_view data;
  std::string_view types;  // the .ifo's sametypesequence; empty when each item names its type
  std::set<char>& markupSeen;

  // The entry's text items, joined by line breaks; sets `problem` when there is none.
  std::string TextOf(std::string& problem) const {
    std::string text;
    bool any = false;
    std::size_t position = 0;
    const bool fixedTypes = !types.empty();
    for (std::size_t item = 0; fixedTypes ? item < types.size() : position < data.size(); ++item) {
      const char type = fixedTypes ? types[item] : data[position++];
      // With a fixed sequence, the last item runs to the end of the entry, unmarked.
      const bool last = fixedTypes && item + 1 == types.size();
      const std::string where = "an item of type '" + std::string(1, type) + "'";
      if (type < 'a' || type > 'z') {
        // Pictures, sounds and other binary items carry their size; they have no text.
        std::size_t size = data.size() - position;
        if (!last) {
          if (data.size() - position < 4) {
            problem = where + " is cut short";
            return {};
          }
          size = BigEndian(data.substr(position, 4));
          position += 4;
        }
        if (size > data.size() - position) {
          problem = where + " is cut short";
          return {};
        }
        position += size;
        continue;
      }
      const std::size_t end = last ? data.size() : data.find('\0', position);
      if (end == std::string_view::npos) {
        problem = where + " has no end";
        return {};
      }
      const std::string_view content = data.substr(position, end - position);
      position = last ? end : end + 1;
      if (!IsPlainTextType(type) && !IsMarkupType(type)) {
        continue;
      }
      if (IsMarkupType(type)) {
        markupSeen.insert(type);
      }
      if (any) {
        text += '\n';
      }
      if (IsMarkupType(type)) {
        const std::string stripped = StrippedMarkup(content, problem);
        if (!problem.empty()) {
          return {};
        }
        if (stripped.find_first_not_of(" \t\r\n") == std::string::npos &&
            content.find_first_not_of(" \t\r\n") != std::string_view::npos) {
          problem = where + " is markup with no text in it";
          return {};
        }
        text += stripped;
      } else {
        text += content;
      }
      any = true;
    }
    if (!any) {
      problem = "the entry has no text meaning";
    }
    return text;
  }
};

}  // namespace

StarDictContents ReadStarDict(const std::filesystem::path& ifoFile) {
  const auto settings = ReadIfo(ifoFile);
  std::filesystem::path base = ifoFile;
  base.replace_extension();
  const bool upper = ifoFile.extension() == ".IFO";
  const auto [indexPath, index] =
      ReadPart(base, ".idx", ".idx.gz", upper, std::numeric_limits<std::uint64_t>::max());

  const auto setting = [&](const std::string& key) {
    const auto found = settings.find(key);
    return found == settings.end() ? std::string() : found->second;
  };
  const std::size_t offsetSize = setting("idxoffsetbits") == "64" ? 8 : 4;
  const std::string types = setting("sametypesequence");

  struct Place {
    std::string word;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    bool cutShort = false;
  };
  std::vector<Place> places;
  std::uint64_t reach = 0;  // how far into the texts the index points
  for (std::size_t position = 0; position < index.size();) {
    const std::size_t end = index.find('\0', position);
    if (end == std::string::npos || end + 1 + offsetSize + 4 > index.size()) {
      places.push_back({"", 0, 0, true});
      break;
    }
    Place place{index.substr(position, end - position),
                BigEndian(std::string_view(index).substr(end + 1, offsetSize)),
                BigEndian(std::string_view(index).substr(end + 1 + offsetSize, 4))};
    reach = std::max(reach, place.offset + place.size);
    places.push_back(std::move(place));
    position = end + 1 + offsetSize + 4;
  }
  const auto [dictPath, dict] = ReadPart(base, ".dict", ".dict.dz", upper, reach);

  StarDictContents contents;
  contents.indexFile = indexPath;
  std::set<char> markupSeen;
  for (const Place& place : places) {
    StarDictRecord record;
    record.number = contents.records.size() + 1;
    if (place.cutShort) {
      record.problem = "the index is cut short here";
      contents.records.push_back(std::move(record));
      break;
    }
    record.word = place.word;
    const std::uint64_t offset = place.offset;
    const std::uint64_t size = place.size;
    if (offset > dict.size() || size > dict.size() - offset) {
      record.problem = "its text lies past the end of " + PathText(dictPath.filename());
    } else {
      const ItemReader reader{std::string_view(dict).substr(offset, size), types, markupSeen};
      const std::string text = reader.TextOf(record.problem);
      std::size_t badByte = 0;
      if (record.problem.empty()) {
        if (auto wide = Utf8ToUtf16(text, &badByte)) {
          record.meaning = Meaning(*wide);
        } else {
          record.problem = "its text is not UTF-8 at byte " + std::to_string(badByte + 1);
        }
      }
    }
    contents.records.push_back(std::move(record));
  }
  for (const char type : markupSeen) {
    contents.warnings.push_back(PathText(ifoFile) + ": meanings of type '" + std::string(1, type) +
                                "' are markup; their tags are stripped");
  }
  const std::string count = setting("wordcount");
  if (!count.empty() && count != std::to_string(contents.records.size())) {
    contents.warnings.push_back(PathText(ifoFile) + ": says wordcount=" + count +
                                " but the index has " + std::to_string(contents.records.size()) +
                                " entries");
  }
  return contents;
}

}  // namespace varkam::tools
