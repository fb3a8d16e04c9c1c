#pragma once

// What the tools' tests share: a build into a test folder and what it reported, a dictionary
// as vqdump writes it, the files in a folder, and StarDict dictionaries written as their own
// tools write them.

#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "UnitDitionary.h"
#include "lib/Build.h"
#include "lib/TextFormat.h"
#include "persian/PersianDecode.h"
#include "support/TestFolder.h"

namespace varkam::tools::support {

using varkam::testing::TestFolder;

inline const char* const DataFiles[] = {"Dat01.vq", "Dat02.vq", "Dat03.vq", "Dat04.vq"};

struct Built {
  BuildResult result;
  std::string report;
};

inline Built Build(const TestFolder& folder, std::vector<std::string> inputs,
                   bool skipBad = false) {
  BuildOptions options;
  for (const auto& input : inputs) {
    options.inputs.push_back(folder / input);
  }
  options.outputFolder = folder / "out";
  options.skipBad = skipBad;
  std::ostringstream report;
  Built built{BuildDictionary(options, report), ""};
  built.report = report.str();
  return built;
}

// The dictionary in `folder` as vqdump writes it.
inline std::string Dump(const std::filesystem::path& folder) {
  TDictionary dictionary(folder);
  std::string text;
  for (std::int32_t index = 1; index <= dictionary.WordCount(); ++index) {
    text += FormatTextLine(dictionary.GetWord(index),
                           persian::PersianToUnicode(dictionary.GetMeaning(index))) +
            "\n";
  }
  return text;
}

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Each file in the folder with its bytes; a folder or anything else as "NAME/" or "NAME@".
inline std::map<std::string, std::string> FilesIn(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_symlink()) {
      files[name + "@"] = std::filesystem::read_symlink(entry.path()).string();
    } else if (entry.is_regular_file()) {
      files[name] = ReadBytes(entry.path());
    } else {
      files[name + "/"] = "";
    }
  }
  return files;
}

// The same for the folder and every folder in it, by path from `folder`; links not followed.
inline std::map<std::string, std::string> Tree(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& [name, bytes] : FilesIn(folder)) {
    files[name] = bytes;
    if (name.back() == '/') {
      for (const auto& [inner, innerBytes] : Tree(folder / name.substr(0, name.size() - 1))) {
        files[name + inner] = innerBytes;
      }
    }
  }
  return files;
}

// A StarDict dictionary written the way its own tools write one.
inline void WriteGzip(const std::filesystem::path& path, std::string_view bytes) {
  gzFile file = gzopen(path.string().c_str(), "wb");
  gzwrite(file, bytes.data(), static_cast<unsigned>(bytes.size()));
  gzclose(file);
}

// One chunk of a dictzip file: packed on its own, flushed fully so that it unpacks alone.
inline std::string PackChunk(std::string_view text) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string packed(deflateBound(&stream, static_cast<uLong>(text.size())) + 16, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(packed.data());
  stream.avail_out = static_cast<uInt>(packed.size());
  deflate(&stream, Z_FULL_FLUSH);
  packed.resize(stream.total_out);
  deflateEnd(&stream);
  return packed;
}

// A dictzip file of packed chunks of `chunkLength` bytes each (the last may be shorter), with
// their sizes in the "RA" field of its gzip header.
inline std::string DictzipFile(const std::vector<std::string>& chunks, std::size_t chunkLength) {
  const auto word = [](std::size_t value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  };
  std::string field =
      "RA" + word(6 + 2 * chunks.size()) + word(1) + word(chunkLength) + word(chunks.size());
  for (const std::string& chunk : chunks) {
    field += word(chunk.size());
  }
  std::string file = "\x1F\x8B\x08\x04" + std::string(4, '\0') + "\x02\x03" + word(field.size());
  file += field;
  for (const std::string& chunk : chunks) {
    file += chunk;
  }
  return file + std::string(8, '\0');  // the check and the size, which the reader never needs
}

struct StarDictWriter {
  std::string index;
  std::string dict;
  bool wideOffsets = false;
  bool packedIndex = false;  // an .idx.gz
  int entries = 0;

  void Add(std::string_view word, std::string_view data) {
    ++entries;
    index.append(word);
    index += '\0';
    const auto put = [this](std::uint64_t value, int bytes) {
      for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        index += static_cast<char>((value >> shift) & 0xFF);
      }
    };
    put(dict.size(), wideOffsets ? 8 : 4);
    put(data.size(), 4);
    dict.append(data);
  }

  void Write(const TestFolder& folder, const std::string& name, const std::string& types,
             bool packed) const {
    std::string ifo = "StarDict's dict ifo file\nversion=2.4.2\nbookname=test\nwordcount=" +
                      std::to_string(entries) + "\n";
    if (!types.empty()) {
      ifo += "sametypesequence=" + types + "\n";
    }
    if (wideOffsets) {
      ifo += "idxoffsetbits=64\n";
    }
    ifo += "idxfilesize=" + std::to_string(index.size()) + "\n";
    folder.WriteFile(name + ".ifo", ifo);
    if (packedIndex) {
      WriteGzip(folder / (name + ".idx.gz"), index);
    } else {
      folder.WriteFile(name + ".idx", index);
    }
    if (packed) {
      WriteGzip(folder / (name + ".dict.dz"), dict);
    } else {
      folder.WriteFile(name + ".dict", dict);
    }
  }
};

}  // namespace varkam::tools::support
