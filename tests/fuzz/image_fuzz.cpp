// Picture files (wallpapers, effect backgrounds): PNG and JPEG data of any
// kind decodes to a whole picture or to nothing.
#include "capture/image_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const auto image = qv::DecodeImage(std::span(data, size));
  if (image && (image->width <= 0 || image->height <= 0 ||
                image->bgra.size() != std::size_t(image->width) * image->height * 4))
    std::abort();
  return 0;
}
