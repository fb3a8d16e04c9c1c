#pragma once

// What both windows measure with: rectangles, and the design's 96-dpi pixels at a display's
// dpi; and where a window goes on the screen.

#include <cstdint>

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
