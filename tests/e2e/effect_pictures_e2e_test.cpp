// The effects' pictures as the built program carries them (resources and the
// sky-box themes beside it), each decodable at the size its texture is made for.
#include "tests/e2e/e2e_support_win32.h"

#include "capture/image_file.h"
#include "shell/unique_handle_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::e2e {
namespace {

// The picture at its size; one drawn over the scene with its own transparency
// has transparent corners round an opaque middle.
void ExpectPicture(const std::optional<DecodedImage> &image, int width, int height, bool alpha) {
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, width);
  EXPECT_EQ(image->height, height);
  const auto alphaAt = [&image](int x, int y) {
    return image->bgra[(static_cast<std::size_t>(y) * image->width + x) * 4 + 3];
  };
  EXPECT_EQ(alphaAt(0, 0), alpha ? 0 : 255);
  EXPECT_EQ(alphaAt(width / 2, height / 2), 255);
}

TEST(EffectPictures, ProgramCarriesEveryPictureAtItsSize) {
  const UniqueHandle<HMODULE, &::FreeLibrary> program(
      LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(program);
  const auto expectResource = [&](const std::wstring &name, int width, int height, bool alpha) {
    SCOPED_TRACE(std::string(name.begin(), name.end()));
    const HRSRC found = FindResourceW(program.Get(), name.c_str(), RT_RCDATA);
    ASSERT_NE(found, nullptr);
    const auto *data =
        static_cast<const std::uint8_t *>(LockResource(LoadResource(program.Get(), found)));
    ExpectPicture(DecodeImage({data, SizeofResource(program.Get(), found)}), width, height, alpha);
  };
  expectResource(L"PROTECTEDDESKTOP", 1024, 768, false);
  expectResource(L"BLACKGRADIENT", 21, 1024, false);
  expectResource(L"WHITEGRADIENT", 92, 162, false);
  for (const std::wstring button : {L"ROTATE", L"POINTER", L"BUTTON1", L"BUTTON2", L"BUTTON3",
                                    L"BUTTON4", L"BUTTON5", L"BUTTON6"}) {
    expectResource(button + L"NORMAL", 64, 64, true);
    expectResource(button + L"OVER", 64, 64, true);
  }

  for (const std::wstring theme : {L"Daylight", L"Starfield"})
    for (const wchar_t *face : {L"_front", L"_right", L"_back", L"_left", L"_top", L"_bottom"}) {
      const auto file = ExecutableFolder() / L"SkyBoxes" / theme / (theme + face + L".jpg");
      SCOPED_TRACE(file.string());
      ExpectPicture(DecodeImageFile(file), 512, 512, false);
    }
}

} // namespace
} // namespace qv::e2e
