#include "rules/Geometry.h"

#include <algorithm>

namespace varkam {

Bounds PlaceOnWorkArea(const Bounds& window, const Bounds& workArea, const Bounds& largest) {
  // Enough to take hold of the caption with the mouse.
  constexpr long long Reachable = 32;
  Bounds sized = window;
  sized.width = std::clamp(window.width, 1, std::max(1, largest.width));
  sized.height = std::clamp(window.height, 1, std::max(1, largest.height));
  const long long overlapWidth =
      std::min<long long>(0LL + sized.left + sized.width, 0LL + workArea.left + workArea.width) -
      std::max(sized.left, workArea.left);
  const bool captionInside = sized.top >= workArea.top &&
                             0LL + sized.top + Reachable <= 0LL + workArea.top + workArea.height;
  return overlapWidth >= Reachable && captionInside ? sized : MoveInside(sized, workArea);
}

Bounds MoveInside(const Bounds& window, const Bounds& workArea) {
  const auto place = [](int at, int size, int areaAt, int areaSize) {
    const long long last = std::max(0LL + areaAt, 0LL + areaAt + areaSize - size);
    return static_cast<int>(std::clamp<long long>(at, areaAt, last));
  };
  Bounds placed = window;
  placed.left = place(window.left, window.width, workArea.left, workArea.width);
  placed.top = place(window.top, window.height, workArea.top, workArea.height);
  return placed;
}

}  // namespace varkam
