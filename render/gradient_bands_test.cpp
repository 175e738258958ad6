#include "render/gradient_bands.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// Rows of one grey level each, two pixels wide, the second pixel brighter.
DecodedImage Rows(std::initializer_list<int> levels) {
  DecodedImage picture;
  picture.width = 2;
  picture.height = static_cast<int>(levels.size());
  for (int level : levels)
    for (int offset : {0, 2})
      for (std::uint8_t v :
           {static_cast<std::uint8_t>(level + offset), static_cast<std::uint8_t>(level + offset),
            static_cast<std::uint8_t>(level + offset), std::uint8_t{255}})
        picture.bgra.push_back(v);
  return picture;
}

TEST(GradientBands, SampleRowsAsTheirAverageColourAndCoverTheScreenBlendingBetweenThem) {
  const auto colours = VerticalGradientColours(Rows({10, 20, 30, 40, 50}), 3);
  EXPECT_EQ(colours, (std::vector<std::uint32_t>{0xFF0B0B0B, 0xFF1F1F1F, 0xFF333333}));
  EXPECT_TRUE(VerticalGradientColours(Rows({10}), 1).empty());
  EXPECT_TRUE(VerticalGradientColours(DecodedImage{}, 8).empty());
  DecodedImage truncated = Rows({10, 20});
  truncated.bgra.resize(4);
  EXPECT_TRUE(VerticalGradientColours(truncated, 2).empty()) << "pixels missing";

  const auto vertices = GradientBands(colours, 1280, 1024, 0.99f);
  ASSERT_EQ(vertices.size(), 12u);
  EXPECT_FLOAT_EQ(vertices[0].y, -0.5f);
  EXPECT_FLOAT_EQ(vertices[11].y, 1023.5f);
  EXPECT_FLOAT_EQ(vertices[2].y, vertices[6].y) << "the second band starts where the first ends";
  for (const ScreenVertex &v : vertices) {
    EXPECT_TRUE(v.x == -0.5f || v.x == 1279.5f);
    EXPECT_FLOAT_EQ(v.z, 0.99f);
  }
  EXPECT_EQ(vertices[0].color, colours[0]);
  EXPECT_EQ(vertices[2].color, colours[1]);
  EXPECT_EQ(vertices[8].color, colours[2]);
  EXPECT_TRUE(GradientBands({0xFF000000}, 10, 10, 0).empty());
}

} // namespace
} // namespace qv
