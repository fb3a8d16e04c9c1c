// vqbuild's text reader: any line parses, is skipped, or is a bad line with a reason; what
// parses writes back to a line that parses to the same entry.

#include <cstdlib>

#include "lib/TextFormat.h"
#include "persian/PersianEncode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varkam::tools;
  try {
    const auto entry = ParseTextLine({reinterpret_cast<const char*>(data), size});
    if (!entry) {
      return 0;
    }
    const auto again = ParseTextLine(FormatTextLine(entry->headword, entry->meaning));
    if (!again || again->headword != entry->headword || again->meaning != entry->meaning) {
      std::abort();
    }
    varkam::persian::UnicodeToPersian(entry->meaning);
  } catch (const BadEntry&) {
  } catch (const varkam::persian::PersianEncodeError&) {
  }
  return 0;
}
