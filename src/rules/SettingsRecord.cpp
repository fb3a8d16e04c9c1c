#include "rules/SettingsRecord.h"

namespace varkam {

namespace {

void PutInt32(std::uint8_t* at, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) {
    at[i] = static_cast<std::uint8_t>(bits >> (8 * i));
  }
}

std::int32_t Int32At(const std::uint8_t* at) {
  return static_cast<std::int32_t>(at[0] | (at[1] << 8) | (at[2] << 16) |
                                   (static_cast<std::uint32_t>(at[3]) << 24));
}

}  // namespace

std::array<std::uint8_t, SettingsRecordSize> EncodeSettings(const SettingsRecord& settings) {
  std::array<std::uint8_t, SettingsRecordSize> bytes{};
  bytes[0] = settings.saveOnExit ? 1 : 0;
  PutInt32(&bytes[1], settings.width);
  PutInt32(&bytes[5], settings.height);
  PutInt32(&bytes[9], settings.left);
  PutInt32(&bytes[13], settings.top);
  bytes[17] = settings.clipboardMeaning ? 1 : 0;
  bytes[18] = settings.stayOnTop ? 1 : 0;
  bytes[19] = settings.hideStatusBar ? 1 : 0;
  bytes[20] = settings.fullView ? 1 : 0;
  bytes[21] = settings.taskbarScrolling ? 1 : 0;
  return bytes;
}

std::optional<SettingsRecord> DecodeSettings(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < SettingsRecordSize) {
    return std::nullopt;
  }
  SettingsRecord settings;
  settings.saveOnExit = bytes[0] != 0;
  settings.width = Int32At(&bytes[1]);
  settings.height = Int32At(&bytes[5]);
  settings.left = Int32At(&bytes[9]);
  settings.top = Int32At(&bytes[13]);
  settings.clipboardMeaning = bytes[17] != 0;
  settings.stayOnTop = bytes[18] != 0;
  settings.hideStatusBar = bytes[19] != 0;
  settings.fullView = bytes[20] != 0;
  settings.taskbarScrolling = bytes[21] != 0;
  return settings;
}

}  // namespace varkam
