// The sky-box themes installed beside the program, each face decodable at the
// size its texture is made for. (That the pictures the program carries load is
// checked as each effect test starts it.)
#include "tests/e2e/e2e_support_win32.h"

#include "capture/image_file.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::e2e {
namespace {

TEST(EffectPictures, EverySkyBoxThemeHasSixSquareFaces) {
  for (const std::wstring theme : {L"Daylight", L"Starfield"})
    for (const wchar_t *face : {L"_front", L"_right", L"_back", L"_left", L"_top", L"_bottom"}) {
      const auto file = ExecutableFolder() / L"SkyBoxes" / theme / (theme + face + L".jpg");
      const auto image = DecodeImageFile(file);
      ASSERT_TRUE(image.has_value()) << file.string();
      EXPECT_EQ(std::pair(image->width, image->height), std::pair(512, 512)) << file.string();
    }
}

} // namespace
} // namespace qv::e2e
