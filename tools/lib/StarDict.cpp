#include "lib/StarDict.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string_view>

#include "lib/Files.h"
#include "lib/Gzip.h"
#include "lib/Markup.h"
#include "lib/Paths.h"
#include "lib/Utf8.h"

namespace varkam::tools {

namespace {

// No entry's text is read past this: a stored meaning is at most 255 bytes, and markup
// many times that would be a page, not a meaning.
constexpr std::uint64_t LargestText = 1 << 20;

std::string Uppercase(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return text;
}

struct Part {
  std::filesystem::path path;
  bool packed = false;
  std::string bytes;  // as they are on the disk
};

// The file at `base` + `plain` or `base` + `packed`, the first that is there, in the letter
// case of the .ifo's ending or in lower case.
Part ReadPart(const std::filesystem::path& base, std::string_view plain, std::string_view packed,
              bool upper) {
  for (const std::string_view ending : {plain, packed}) {
    for (const std::string& tried :
         {upper ? Uppercase(std::string(ending)) : std::string(ending), std::string(ending)}) {
      const std::filesystem::path path = WithEnding(base, tried);
      if (files::KindOf(path) != files::Kind::Missing) {
        return {path, ending == packed, files::ReadWholeFile(path)};
      }
    }
  }
  throw std::runtime_error("neither " + PathText(base) + std::string(plain) + " nor " +
                           PathText(base) + std::string(packed) + " exists");
}

std::map<std::string, std::string> ReadIfo(const std::filesystem::path& path) {
  if (files::KindOf(path) == files::Kind::Missing) {
    throw std::runtime_error(PathText(path) + ": not found");
  }
  const std::string text = files::ReadWholeFile(path);
  const std::string_view magic = "StarDict's dict ifo file";
  if (text.rfind(magic, 0) != 0) {
    throw std::runtime_error(PathText(path) + ": not a StarDict .ifo file");
  }
  std::map<std::string, std::string> settings;
  for (std::size_t start = text.find('\n'); start != std::string::npos;) {
    const std::size_t end = text.find('\n', start + 1);
    std::string_view line = std::string_view(text).substr(start + 1, end - start - 1);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
      settings[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
    }
    start = end;
  }
  return settings;
}

std::optional<std::uint64_t> Number(const std::string& text) {
  if (text.empty() || text.size() > 19 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  return std::stoull(text);
}

std::uint64_t BigEndian(std::string_view bytes) {
  std::uint64_t value = 0;
  for (const char c : bytes) {
    value = (value << 8) | static_cast<std::uint8_t>(c);
  }
  return value;
}

struct IndexEntry {
  std::string_view word;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
};

// The entry at `position`, which moves past it; nothing where the index is cut short.
std::optional<IndexEntry> NextEntry(std::string_view index, std::size_t& position,
                                    std::size_t offsetSize) {
  const std::size_t end = index.find('\0', position);
  if (end == std::string_view::npos || index.size() - end - 1 < offsetSize + 4) {
    return std::nullopt;
  }
  const IndexEntry entry{index.substr(position, end - position),
                         BigEndian(index.substr(end + 1, offsetSize)),
                         BigEndian(index.substr(end + 1 + offsetSize, 4))};
  position = end + 1 + offsetSize + 4;
  return entry;
}

bool IsPlainTextType(char type) {
  return type == 'm';
}
bool IsPhoneticType(char type) {
  return type == 't' || type == 'y';
}
bool IsMarkupType(char type) {
  return type == 'g' || type == 'h' || type == 'k' || type == 'x';
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

// One entry's items, as the fixed type sequence or the items' own type letters say.
class ItemReader {
 public:
  ItemReader(std::string_view data, std::string_view types, std::set<char>& seen)
      : data_(data), types_(types), seen_(seen) {}

  // The entry's text items, joined by line breaks; sets `problem` when there is none.
  std::string Text(std::string& problem) {
    const bool fixedTypes = !types_.empty();
    for (std::size_t item = 0; fixedTypes ? item < types_.size() : position_ < data_.size();
         ++item) {
      const char type = fixedTypes ? types_[item] : data_[position_++];
      // With a fixed sequence, the last item runs to the end of the entry, unmarked.
      const bool last = fixedTypes && item + 1 == types_.size();
      const bool read = (type >= 'a' && type <= 'z') ? TextItem(type, last, problem)
                                                     : SkipBinaryItem(type, last, problem);
      if (!read) {
        return {};
      }
    }
    if (!any_) {
      problem = phonetics_ ? "the entry has no text meaning besides its phonetics"
                           : "the entry has no text meaning";
    }
    return text_;
  }

 private:
  std::string Where(char type) const { return "an item of type '" + std::string(1, type) + "'"; }

  // Pictures, sounds and other binary items carry their size; they have no text.
  bool SkipBinaryItem(char type, bool last, std::string& problem) {
    std::size_t size = data_.size() - position_;
    if (!last) {
      if (data_.size() - position_ < 4) {
        problem = Where(type) + " is cut short";
        return false;
      }
      size = BigEndian(data_.substr(position_, 4));
      position_ += 4;
    }
    if (size > data_.size() - position_) {
      problem = Where(type) + " is cut short";
      return false;
    }
    position_ += size;
    return true;
  }

  bool TextItem(char type, bool last, std::string& problem) {
    const std::size_t end = last ? data_.size() : data_.find('\0', position_);
    if (end == std::string_view::npos) {
      problem = Where(type) + " has no end";
      return false;
    }
    const std::string_view content = data_.substr(position_, end - position_);
    position_ = last ? end : end + 1;
    if (IsPhoneticType(type) || IsMarkupType(type)) {
      seen_.insert(type);
    }
    phonetics_ = phonetics_ || IsPhoneticType(type);
    if (!IsPlainTextType(type) && !IsMarkupType(type)) {
      return true;  // phonetics have letters the code page lacks; other kinds are not text
    }
    const std::string text =
        IsMarkupType(type) ? MarkupToText(content, problem) : std::string(content);
    if (!problem.empty()) {
      return false;
    }
    if (IsMarkupType(type) && text.find_first_not_of(" \t\r\n") == std::string::npos &&
        content.find_first_not_of(" \t\r\n") != std::string_view::npos) {
      problem = Where(type) + " is markup with no text in it";
      return false;
    }
    text_ += any_ ? "\n" + text : text;
    any_ = true;
    return true;
  }

  std::string_view data_;
  std::string_view types_;
  std::set<char>& seen_;
  std::size_t position_ = 0;
  std::string text_;
  bool any_ = false;
  bool phonetics_ = false;
};

}  // namespace

StarDictReader::StarDictReader(const std::filesystem::path& ifoFile)
    : ifoFile_(ifoFile), settings_(ReadIfo(ifoFile)) {
  std::filesystem::path base = ifoFile;
  base.replace_extension();
  const bool upper = ifoFile.extension() == ".IFO";
  offsetSize_ = Setting("idxoffsetbits") == "64" ? 8 : 4;
  types_ = Setting("sametypesequence");
  ReadIndex(base, upper);
  ReadTexts(base, upper);
}

std::string StarDictReader::Setting(const std::string& key) const {
  const auto found = settings_.find(key);
  return found == settings_.end() ? std::string() : found->second;
}

// A packed index is unpacked as far as the .ifo says it reaches, and no further than its
// packed size could hold.
void StarDictReader::ReadIndex(const std::filesystem::path& base, bool upper) {
  Part part = ReadPart(base, ".idx", ".idx.gz", upper);
  indexFile_ = part.path;
  if (!part.packed) {
    index_ = std::move(part.bytes);
    return;
  }
  const auto declared = Number(Setting("idxfilesize"));
  if (!declared) {
    throw std::runtime_error(PathText(ifoFile_) + ": idxfilesize, which says how far " +
                             PathText(part.path) + " unpacks, is missing or not a number");
  }
  const std::uint64_t most = part.bytes.size() * LargestDeflateRatio;
  index_ = Gunzip(part.path, part.bytes, std::min(*declared, most) + 1);
  if (index_.size() > *declared) {
    index_.resize(static_cast<std::size_t>(*declared));
    warnings_.push_back(PathText(part.path) + ": unpacks to more than idxfilesize=" +
                        std::to_string(*declared) + " bytes; the rest is not read");
  }
}

// A dictzip file is read a chunk at a time, as entries need them; any other packed file is
// unpacked as far as the index reaches, counting only entries it can hold.
void StarDictReader::ReadTexts(const std::filesystem::path& base, bool upper) {
  Part part = ReadPart(base, ".dict", ".dict.dz", upper);
  textFile_ = part.path;
  texts_ = std::move(part.bytes);
  capacity_ = texts_.size();
  if (!part.packed) {
    return;
  }
  dictzip_ = Dictzip::Open(texts_);
  if (dictzip_) {
    capacity_ = std::min(dictzip_->Capacity(), texts_.size() * LargestDeflateRatio);
    return;
  }
  capacity_ = texts_.size() * LargestDeflateRatio;
  std::uint64_t reach = 0;
  for (std::size_t position = 0; const auto entry = NextEntry(index_, position, offsetSize_);) {
    if (entry->size <= std::min(LargestText, capacity_) &&
        entry->offset <= capacity_ - entry->size) {
      reach = std::max(reach, entry->offset + entry->size);
    }
  }
  texts_ = Gunzip(part.path, texts_, reach);
}

// The entry's bytes in the texts, or why there are none.
std::optional<std::string> StarDictReader::TextOf(std::uint64_t offset, std::uint64_t size,
                                                  std::string& problem) {
  const std::string file = PathText(textFile_.filename());
  if (size > LargestText) {
    problem = "its text takes " + std::to_string(size) + " bytes; no entry's text is read past " +
              std::to_string(LargestText);
  } else if (offset > capacity_ || size > capacity_ - offset) {
    problem =
        "its text lies past what " + file + " can hold (" + std::to_string(capacity_) + " bytes)";
  } else if (dictzip_) {
    if (auto text = dictzip_->Read(offset, size)) {
      return text;
    }
    problem = "its text lies past the end of " + file + ", or in a damaged part of it";
  } else if (offset > texts_.size() || size > texts_.size() - offset) {
    problem = "its text lies past the end of " + file;
  } else {
    return texts_.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
  }
  return std::nullopt;
}

StarDictRecord StarDictReader::RecordAt(std::size_t number, std::size_t& position) {
  StarDictRecord record;
  record.number = number;
  const auto entry = NextEntry(index_, position, offsetSize_);
  if (!entry) {
    record.problem = "the index is cut short here";
    position = index_.size();
    return record;
  }
  record.word = entry->word;
  const auto data = TextOf(entry->offset, entry->size, record.problem);
  if (!data) {
    return record;
  }
  const std::string text = ItemReader(*data, types_, itemsSeen_).Text(record.problem);
  std::size_t badByte = 0;
  if (record.problem.empty()) {
    if (auto wide = Utf8ToUtf16(text, &badByte)) {
      record.meaning = Meaning(*wide);
    } else {
      record.problem = "its text is not UTF-8 at byte " + std::to_string(badByte + 1);
    }
  }
  return record;
}

void StarDictReader::ForEach(const std::function<void(const StarDictRecord&)>& each) {
  std::size_t count = 0;
  for (std::size_t position = 0; position < index_.size();) {
    each(RecordAt(++count, position));
  }
  for (const char type : itemsSeen_) {
    warnings_.push_back(PathText(ifoFile_) + ": items of type '" + std::string(1, type) +
                        (IsMarkupType(type)
                             ? "' are markup; their tags are stripped"
                             : "' are phonetics; they are left out of the meanings"));
  }
  const std::string declared = Setting("wordcount");
  if (!declared.empty() && declared != std::to_string(count)) {
    warnings_.push_back(PathText(ifoFile_) + ": says wordcount=" + declared +
                        " but the index has " + std::to_string(count) + " entries");
  }
}

}  // namespace varkam::tools
