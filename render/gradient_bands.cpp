#include "render/gradient_bands.h"

#include <cstddef>

namespace qv {

std::vector<std::uint32_t> VerticalGradientColours(const DecodedImage &picture, int samples) {
  std::vector<std::uint32_t> colours;
  if (picture.width <= 0 || picture.height <= 0 || samples < 2 ||
      picture.bgra.size() < static_cast<std::size_t>(picture.width) * picture.height * 4)
    return colours;
  colours.reserve(static_cast<std::size_t>(samples));
  for (int i = 0; i < samples; ++i) {
    const int y =
        static_cast<int>(static_cast<long long>(i) * (picture.height - 1) / (samples - 1));
    unsigned long long sum[3] = {0, 0, 0}; // blue, green, red
    const std::uint8_t *row = picture.bgra.data() + static_cast<std::size_t>(y) * picture.width * 4;
    for (int x = 0; x < picture.width; ++x)
      for (int c = 0; c < 3; ++c)
        sum[c] += row[x * 4 + c];
    const auto mean = [&](int c) {
      return static_cast<std::uint32_t>((sum[c] + picture.width / 2) / picture.width);
    };
    colours.push_back(0xFF000000u | mean(2) << 16 | mean(1) << 8 | mean(0));
  }
  return colours;
}

std::vector<ScreenVertex> GradientBands(const std::vector<std::uint32_t> &colours, float width,
                                        float height, float depth) {
  std::vector<ScreenVertex> vertices;
  if (colours.size() < 2)
    return vertices;
  const std::size_t bands = colours.size() - 1;
  vertices.reserve(bands * 6);
  const float rhw = 1.0f / (depth * 990.0f + 10.0f);
  const float left = -0.5f, right = width - 0.5f;
  for (std::size_t i = 0; i < bands; ++i) {
    // Row centres: the first sample is the top row's colour, the last the bottom row's.
    const float top = i == 0 ? -0.5f : static_cast<float>(i) * (height - 1) / bands;
    const float bottom =
        i + 1 == bands ? height - 0.5f : static_cast<float>(i + 1) * (height - 1) / bands;
    const std::uint32_t upper = colours[i], lower = colours[i + 1];
    const ScreenVertex a{left, top, depth, rhw, upper, 0, 0},
        b{right, top, depth, rhw, upper, 0, 0}, c{right, bottom, depth, rhw, lower, 0, 0},
        d{left, bottom, depth, rhw, lower, 0, 0};
    for (const ScreenVertex &v : {a, b, c, a, c, d})
      vertices.push_back(v);
  }
  return vertices;
}

} // namespace qv
