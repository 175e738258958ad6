#pragma once
#include "capture/image_file.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// The sky-box themes: the folders in "SkyBoxes" beside the program, by name.
std::filesystem::path SkyBoxFolder();
std::vector<std::string> SkyBoxThemes(const std::filesystem::path &folder);
// The picture that stands for a theme: its front face.
std::filesystem::path ThemeFrontPicture(const std::filesystem::path &folder,
                                        const std::string &theme);

// A JPEG, PNG or Windows bitmap file; nothing when it cannot be read.
std::optional<DecodedImage> LoadPictureFile(const std::filesystem::path &file);
// A picture held as a raw data resource of the program; nothing when the
// program has none of that name.
std::optional<DecodedImage> LoadPictureResource(const wchar_t *name);

// The picture stretched over the rectangle, smoothly.
void DrawPicture(HDC dc, const DecodedImage &picture, const RECT &area);

} // namespace qv
