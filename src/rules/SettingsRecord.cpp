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
  PutInt32(&bytes[1], settings.width);
  PutInt32(&bytes[5], settings.height);
  PutInt32(&bytes[9], settings.left);
  PutInt32(&bytes[13], settings.top);
  for (const SwitchPlace& place : SwitchTable) {
    bytes[place.settingsByte] = settings.switches.*place.field ? 1 : 0;
  }
  return bytes;
}

std::optional<SettingsRecord> DecodeSettings(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < SettingsRecordSize) {
    return std::nullopt;
  }
  SettingsRecord settings;
  settings.width = Int32At(&bytes[1]);
  settings.height = Int32At(&bytes[5]);
  settings.left = Int32At(&bytes[9]);
  settings.top = Int32At(&bytes[13]);
  for (const SwitchPlace& place : SwitchTable) {
    settings.switches.*place.field = bytes[place.settingsByte] != 0;
  }
  return settings;
}

}  // namespace varkam
