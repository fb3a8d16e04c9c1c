// The encoder over any UTF-16 text: either a clear error, or a stored form that the decoding
// shows as the canonical text, and that the canonical text encodes to again.

#include <cstdlib>

#include "persian/PersianDecode.h"
#include "persian/PersianEncode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    // Bytes pick from the Arabic block and ASCII more often than from the whole range.
    const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    text += (unit & 0x8000) ? static_cast<char16_t>(0x0600 + (unit & 0xFF)) : unit;
  }
  using namespace varkam::persian;
  try {
    const std::string stored = UnicodeToPersian(text);
    const std::u16string canonical = CanonicalPersian(text);
    if (stored.size() > MaxStoredLength || PersianToUnicode(stored) != canonical ||
        UnicodeToPersian(canonical) != stored) {
      std::abort();
    }
  } catch (const PersianEncodeError& error) {
    if (error.Position() > text.size()) {
      std::abort();
    }
  }
  return 0;
}
