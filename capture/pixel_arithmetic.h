#pragma once
// Arithmetic on 32-bit pictures held in memory (rows top-down, one pixel a
// 32-bit value with four 8-bit channels). Done here rather than by the
// system's stretching and blending, which are slow where they are emulated.
// Nothing here allocates: the hook library uses it inside other programs.
#include <cstddef>
#include <cstdint>

namespace qv {

// Resamples source (sourceWidth x sourceHeight, its rows sourceRowLength
// pixels apart) into target (targetWidth x targetHeight, rows adjacent).
// Smaller, each target pixel is the average of the source pixels its area
// covers, channel by channel; larger, the nearest source pixel. Nothing
// happens for an empty size on either side or rows shorter than the width.
void ResamplePixels(const std::uint32_t *source, int sourceWidth, int sourceHeight,
                    int sourceRowLength, std::uint32_t *target, int targetWidth, int targetHeight);

// Lays black at `alpha` (0 to 255) over every pixel: each colour channel
// becomes channel * (255 - alpha) / 255, rounded; the fourth stays.
void DarkenPixels(std::uint32_t *pixels, std::size_t count, std::uint8_t alpha);

} // namespace qv
