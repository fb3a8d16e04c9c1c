// The settings record: any bytes decode or count as no file, and a record survives encoding.

#include <cstdlib>

#include "rules/SettingsRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto settings = varkam::DecodeSettings({data, size});
  if (size < varkam::SettingsRecordSize ? settings.has_value() : !settings.has_value()) {
    std::abort();
  }
  if (settings && varkam::DecodeSettings(varkam::EncodeSettings(*settings)) != settings) {
    std::abort();
  }
  return 0;
}
