// The pictures of the 3D effects as the built program carries them: raw data
// resources inside quadrivista.exe and the sky-box themes in the SkyBoxes
// folder beside it, each decodable at the size its texture is made for.
#include "tests/e2e/e2e_support_win32.h"

#include "capture/image_file.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::e2e {
namespace {

struct Picture {
  std::wstring name;
  int width;
  int height;
  bool alpha; // drawn over the scene with its own transparency
};

std::vector<Picture> EmbeddedPictures() {
  std::vector<Picture> pictures = {{L"PROTECTEDDESKTOP", 1024, 768, false},
                                   {L"BLACKGRADIENT", 21, 1024, false},
                                   {L"WHITEGRADIENT", 92, 162, false}};
  for (const std::wstring button : {L"ROTATE", L"POINTER", L"BUTTON1", L"BUTTON2", L"BUTTON3",
                                    L"BUTTON4", L"BUTTON5", L"BUTTON6"}) {
    pictures.push_back({button + L"NORMAL", 64, 64, true});
    pictures.push_back({button + L"OVER", 64, 64, true});
  }
  return pictures;
}

void ExpectPicture(const std::optional<DecodedImage> &image, const Picture &picture) {
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, picture.width);
  EXPECT_EQ(image->height, picture.height);
  if (picture.alpha) {
    // Transparent corners around an opaque middle.
    const auto alphaAt = [&image](int x, int y) {
      return image->bgra[(static_cast<std::size_t>(y) * image->width + x) * 4 + 3];
    };
    EXPECT_EQ(alphaAt(0, 0), 0);
    EXPECT_EQ(alphaAt(image->width / 2, image->height / 2), 255);
  }
}

TEST(EffectPictures, ProgramCarriesEveryPictureAtItsSize) {
  const HMODULE program = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  for (const Picture &picture : EmbeddedPictures()) {
    SCOPED_TRACE(std::string(picture.name.begin(), picture.name.end()));
    const HRSRC found = FindResourceW(program, picture.name.c_str(), RT_RCDATA);
    ASSERT_NE(found, nullptr);
    const auto *data =
        static_cast<const std::uint8_t *>(LockResource(LoadResource(program, found)));
    ExpectPicture(DecodeImage({data, SizeofResource(program, found)}), picture);
  }
  FreeLibrary(program);

  for (const std::wstring theme : {L"Daylight", L"Starfield"}) {
    for (const wchar_t *face : {L"_front", L"_right", L"_back", L"_left", L"_top", L"_bottom"}) {
      const auto file = ExecutableFolder() / L"SkyBoxes" / theme / (theme + face + L".jpg");
      SCOPED_TRACE(file.string());
      ExpectPicture(DecodeImageFile(file), {theme, 512, 512, false});
    }
  }
}

} // namespace
} // namespace qv::e2e
