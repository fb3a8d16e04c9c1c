// PersianToUnicode over any bytes: at most two code units a byte, nothing for the first.

#include <cstdlib>
#include <string_view>

#include "persian/PersianDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string shown =
      varkam::persian::PersianToUnicode({reinterpret_cast<const char*>(data), size});
  if (shown.size() > (size == 0 ? 0 : 2 * (size - 1))) {
    std::abort();
  }
  return 0;
}
