#pragma once

// The main window's layout: every control's place computed from the client area, and the
// number of word-list rows that fit. The constants are the design's sizes, pixels at 96 dpi;
// the layout scales each of them to the window's dpi, so 96 dpi gives exactly these numbers.

#include <cstdint>
#include <optional>

namespace varkam {

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
  bool Contains(int x, int y) const {
    return x >= left && x < left + width && y >= top && y < top + height;
  }
};

inline constexpr int DesignDpi = 96;

// Pixels at `fromDpi` as pixels at `toDpi`, to the nearest pixel, halves away from zero as the
// system's MulDiv rounds them.
constexpr int Rescaled(int pixels, int fromDpi, int toDpi) {
  const long long product = static_cast<long long>(pixels) * toDpi;
  return static_cast<int>((product >= 0 ? product + fromDpi / 2 : product - fromDpi / 2) / fromDpi);
}

// A design size at `dpi`; a size of a pixel or more stays at least one pixel, so that no row,
// font or control vanishes on an absurdly coarse display.
constexpr int Scaled(int designPixels, int dpi) {
  const int scaled = Rescaled(designPixels, DesignDpi, dpi);
  return designPixels > 0 && scaled < 1 ? 1 : scaled;
}

// Ten times the design: past Windows' largest scale, 500 %. A display set higher is drawn at
// this, so that no size grows past what the windows can hold.
inline constexpr int MaximumDpi = 960;
// A quarter of the design. A display that claims fewer dots an inch (1, 2, 3...) is drawn at
// this: Windows' own scales never go below the design's 96.
inline constexpr int MinimumDpi = 24;

// The dpi a window reports, the design's when it reports none, and kept between MinimumDpi and
// MaximumDpi.
constexpr int UsableDpi(int dpi) {
  return dpi <= 0 ? DesignDpi : dpi < MinimumDpi ? MinimumDpi : dpi < MaximumDpi ? dpi : MaximumDpi;
}

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
  bool listShown = true;  // the Full view
  int listLeft = 0;
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

// Where a window meant for `window` opens: there when enough of it is on the monitor's work
// area to be taken by its caption, else moved onto that work area with its size kept. The
// size is judged as the window will get it, no larger than `largest` (the system's largest
// window); sums are worked in 64 bits, so a stored place of any value is safe.
Bounds PlaceOnWorkArea(const Bounds& window, const Bounds& workArea,
                       const Bounds& largest = {0, 0, INT32_MAX, INT32_MAX});

// The window moved, as little as it takes, to lie wholly on the work area; its top left corner
// on it when the window is larger.
Bounds MoveInside(const Bounds& window, const Bounds& workArea);

}  // namespace varkam
