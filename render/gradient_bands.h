#pragma once
// A background gradient drawn from its colours rather than its picture: a
// full-screen textured quad costs a software renderer several times what a
// quad coloured by its corners does, and the effects draw the background on
// every frame.
#include "capture/image_file.h"
#include "render/scene_vertex.h"

#include <cstdint>
#include <vector>

namespace qv {

// The picture's colours from top to bottom at `samples` evenly spaced rows
// (the first and last rows included), each the average of its row, as
// 0xFFRRGGBB. Empty for an empty picture or fewer than two samples.
std::vector<std::uint32_t> VerticalGradientColours(const DecodedImage &picture, int samples);

// Horizontal bands covering the screen, two triangles each (a list of six
// vertices per band), coloured from one sample to the next.
std::vector<ScreenVertex> GradientBands(const std::vector<std::uint32_t> &colours, float width,
                                        float height, float depth);

} // namespace qv
