#pragma once
// Test support: JPEG files made in memory, for the image decoding and loading tests.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "tests/support/temp_dir.h"

namespace qv::test {

// Baseline JPEG of quality 95. `pixels` holds `components` samples per pixel, rows top
// first; the inputs are fixed, so the library's errors end the test program. Without
// `fullChroma` colour is sampled at half resolution, as in most photographs.
inline std::vector<std::uint8_t> EncodeJpeg(int width, int height, J_COLOR_SPACE space,
                                            int components, std::vector<std::uint8_t> pixels,
                                            bool fullChroma = true) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char *buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  for (int component = 0; fullChroma && component < info.num_components; ++component) {
    info.comp_info[component].h_samp_factor = 1;
    info.comp_info[component].v_samp_factor = 1;
  }
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row =
        pixels.data() + static_cast<std::size_t>(info.next_scanline) * width * components;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  jpeg_destroy_compress(&info);
  return out;
}

// A JPEG file whose pixel (x, y) has the colour `rgb(x, y)`, given as 0xRRGGBB.
template <typename Rgb>
void WriteJpeg(const std::filesystem::path &file, int width, int height, Rgb rgb) {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto c = static_cast<std::uint32_t>(rgb(x, y));
      pixels.insert(pixels.end(), {std::uint8_t(c >> 16), std::uint8_t(c >> 8), std::uint8_t(c)});
    }
  WriteFile(file, EncodeJpeg(width, height, JCS_RGB, 3, std::move(pixels)));
}

} // namespace qv::test
