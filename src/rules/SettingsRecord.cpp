#include "rules/SettingsRecord.h"

#include "RecordLayout.h"

namespace varkam {

std::array<std::uint8_t, SettingsRecordSize> EncodeSettings(const SettingsRecord& settings) {
  std::array<std::uint8_t, SettingsRecordSize> bytes{};
  WriteInt32(&bytes[1], settings.width);
  WriteInt32(&bytes[5], settings.height);
  WriteInt32(&bytes[9], settings.left);
  WriteInt32(&bytes[13], settings.top);
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
  settings.width = ReadInt32(&bytes[1]);
  settings.height = ReadInt32(&bytes[5]);
  settings.left = ReadInt32(&bytes[9]);
  settings.top = ReadInt32(&bytes[13]);
  for (const SwitchPlace& place : SwitchTable) {
    settings.switches.*place.field = bytes[place.settingsByte] != 0;
  }
  return settings;
}

}  // namespace varkam
