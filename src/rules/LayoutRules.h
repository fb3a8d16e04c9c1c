#pragma once

// The main window's layout: every control's place computed from the client area, and the
// number of word-list rows that fit. The constants are the design's sizes, pixels at 96 dpi;
// the layout scales each of them to the window's dpi, so 96 dpi gives exactly these numbers.

#include <cstdint>
#include <optional>

#include "rules/Geometry.h"

namespace varkam {

inline constexpr int FontHeight = 11;  // the character height of the window's fonts
inline constexpr int ListRowHeight = 13;
inline constexpr int ScrollBarWidth = 15;
inline constexpr int SplitterWidth = 20;
inline constexpr int BandGap = 4;           // between the list band and the search band
inline constexpr int SearchRowHeight = 27;  // the about button's height
inline constexpr int AboutButtonWidth = 23;
inline constexpr int MemoGap = 2;  // between the search row and the meaning pane
inline constexpr int StatusBarHeight = 19;
inline constexpr int DesignListWidth = 73;
inline constexpr int MinimumWindowHeight = 64;  // the window's outer height

struct LayoutInput {
  int clientWidth = 0;
  int clientHeight = 0;
  bool listShown = true;            // the Full view
  int listWidth = DesignListWidth;  // in pixels at `dpi`, as the splitter left it
  bool statusBarShown = true;
  int dpi = DesignDpi;
};

struct Layout {
  int dpi = DesignDpi;
  int fontHeight = FontHeight;  // of the window's fonts, in pixels
  int rowHeight = ListRowHeight;
  std::uint16_t visibleRows = 0;
  Bounds listBox;
  Bounds scrollBar;
  Bounds splitter;
  Bounds comboBox;  // its height is the control's own
  Bounds aboutButton;
  Bounds memo;
  Bounds statusBar;
  bool operator==(const Layout&) const = default;
};

// A client area too short for any row gives 0 rows.
Layout ArrangeLayout(const LayoutInput& input);

// The narrowest list the splitter leaves, at 96 dpi.
inline constexpr int MinimumListWidth = 21;

// The narrowest search box the splitter leaves, at 96 dpi.
inline constexpr int MinimumSearchBoxWidth = 40;

// The rightmost left edge of the splitter in a client area `clientWidth` wide: all of it
// inside, so that it can always be dragged back, and the search box still wide enough to
// type in.
int MaxSplitterLeft(int clientWidth, int dpi = DesignDpi);

// A drag of the splitter from `grabX` to `x` (both relative to the splitter): the splitter's
// new left edge, kept inside the client area, or nothing when the move is under 3 pixels, would
// leave the list narrower than MinimumListWidth, or leaves the splitter where it is. Those
// limits are design sizes too.
std::optional<int> SplitterLeftAfterDrag(int splitterLeft, int grabX, int x, int clientWidth,
                                         int dpi = DesignDpi);

}  // namespace varkam
