#pragma once

// Pictures drawn at another size than they were made: the about box's, at a display's dpi.

#include <cstdint>
#include <vector>

namespace varkam {

// A picture's pixels, rows from the top, each 0xAARRGGBB.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> values;
  bool operator==(const Pixels&) const = default;
};

// The picture at another size: each pixel the average of the source area it covers, weighted
// by how much of each source pixel lies in it. The same size gives the same pixels.
Pixels Resample(const Pixels& source, int width, int height);

}  // namespace varkam
