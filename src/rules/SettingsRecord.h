#pragma once

// The 22-byte settings file "DicSet.vq": the window's outer size and position and its six
// switches. Integers are signed 32-bit little-endian; a switch byte is written 1 or 0 and read
// as on when it is not 0.
//
//   0 Save on exit | 1 width | 5 height | 9 left | 13 top | 17 Clipboard meaning |
//   18 Stay on top | 19 Hide status bar | 20 Full view | 21 Taskbar scrolling

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace varkam {

inline constexpr std::size_t SettingsRecordSize = 22;

// The switches of the pop-up menus, which the settings file keeps.
struct Switches {
  bool clipboardMeaning = true;
  bool stayOnTop = false;
  bool hideStatusBar = false;
  bool fullView = true;  // the Full view's check mark; the Normal view's is its opposite
  bool taskbarScrolling = false;
  bool saveOnExit = true;
  bool operator==(const Switches&) const = default;
};

enum class Switch : std::uint8_t {
  ClipboardMeaning,
  StayOnTop,
  HideStatusBar,
  FullView,
  TaskbarScrolling,
  SaveOnExit,
};

// Each switch once: its menu caption, its field, and its byte in the settings file.
struct SwitchPlace {
  Switch which;
  const char* caption;
  bool Switches::*field;
  std::size_t settingsByte;
};

inline constexpr SwitchPlace SwitchTable[] = {
    {Switch::ClipboardMeaning, "&Clipboard meaning", &Switches::clipboardMeaning, 17},
    {Switch::StayOnTop, "&Stay on top", &Switches::stayOnTop, 18},
    {Switch::HideStatusBar, "&Hide status bar", &Switches::hideStatusBar, 19},
    {Switch::FullView, "&Full", &Switches::fullView, 20},
    {Switch::TaskbarScrolling, "&Taskbar scrolling", &Switches::taskbarScrolling, 21},
    {Switch::SaveOnExit, "&Save on exit", &Switches::saveOnExit, 0},
};

constexpr const SwitchPlace& PlaceOf(Switch which) {
  return SwitchTable[static_cast<std::size_t>(which)];
}

struct SettingsRecord {
  std::int32_t width = 266;
  std::int32_t height = 161;
  std::int32_t left = 338;
  std::int32_t top = 152;
  Switches switches;

  bool operator==(const SettingsRecord&) const = default;
};

std::array<std::uint8_t, SettingsRecordSize> EncodeSettings(const SettingsRecord& settings);

// Nothing for a file shorter than 22 bytes, which counts as no file. Bytes past the 22nd are
// not looked at.
std::optional<SettingsRecord> DecodeSettings(std::span<const std::uint8_t> bytes);

}  // namespace varkam
