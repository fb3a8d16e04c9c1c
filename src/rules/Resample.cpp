#include "rules/Resample.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace varkam {

namespace {

// For each target pixel along one axis, the source pixels it covers and by how much.
struct Span {
  int first = 0;
  std::vector<double> weights;
};

std::vector<Span> Coverage(int sourceLength, int targetLength) {
  std::vector<Span> spans(static_cast<std::size_t>(targetLength));
  const double step = static_cast<double>(sourceLength) / targetLength;
  for (int target = 0; target < targetLength; ++target) {
    const double begin = target * step;
    const double end = begin + step;
    Span& span = spans[static_cast<std::size_t>(target)];
    span.first = static_cast<int>(begin);
    const int last = std::min(sourceLength - 1, static_cast<int>(std::ceil(end)) - 1);
    for (int source = span.first; source <= last; ++source) {
      const double covered = std::min(end, source + 1.0) - std::max(begin, double(source));
      span.weights.push_back(covered / step);
    }
  }
  return spans;
}

using Channels = std::array<double, 4>;

Channels Split(std::uint32_t pixel) {
  return {double(pixel >> 24), double((pixel >> 16) & 0xFF), double((pixel >> 8) & 0xFF),
          double(pixel & 0xFF)};
}

std::uint32_t Join(const Channels& channels) {
  std::uint32_t pixel = 0;
  for (const double channel : channels) {
    pixel = (pixel << 8) | static_cast<std::uint32_t>(std::clamp(std::lround(channel), 0L, 255L));
  }
  return pixel;
}

}  // namespace

Pixels Resample(const Pixels& source, int width, int height) {
  if (width == source.width && height == source.height) {
    return source;
  }
  Pixels target{std::max(width, 0), std::max(height, 0), {}};
  if (source.width <= 0 || source.height <= 0 || target.width == 0 || target.height == 0) {
    target.values.assign(static_cast<std::size_t>(target.width) * target.height, 0);
    return target;
  }
  const auto columns = Coverage(source.width, target.width);
  const auto rows = Coverage(source.height, target.height);
  // Across first, into channels kept whole, then down.
  std::vector<Channels> across(static_cast<std::size_t>(source.height) * target.width);
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < target.width; ++x) {
      const Span& span = columns[static_cast<std::size_t>(x)];
      Channels sum{};
      for (std::size_t i = 0; i < span.weights.size(); ++i) {
        const Channels pixel =
            Split(source.values[static_cast<std::size_t>(y) * source.width + span.first + i]);
        for (std::size_t c = 0; c < sum.size(); ++c) {
          sum[c] += pixel[c] * span.weights[i];
        }
      }
      across[static_cast<std::size_t>(y) * target.width + x] = sum;
    }
  }
  target.values.resize(static_cast<std::size_t>(target.width) * target.height);
  for (int y = 0; y < target.height; ++y) {
    const Span& span = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < target.width; ++x) {
      Channels sum{};
      for (std::size_t i = 0; i < span.weights.size(); ++i) {
        const Channels& part =
            across[(static_cast<std::size_t>(span.first) + i) * target.width + x];
        for (std::size_t c = 0; c < sum.size(); ++c) {
          sum[c] += part[c] * span.weights[i];
        }
      }
      target.values[static_cast<std::size_t>(y) * target.width + x] = Join(sum);
    }
  }
  return target;
}

}  // namespace varkam
