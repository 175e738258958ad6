#include "render/sky_box.h"

#include <algorithm>

namespace qv {
namespace {

constexpr std::array<const char *, 6> kFaceSuffixes = {"_front.jpg", "_right.jpg", "_back.jpg",
                                                       "_left.jpg",  "_top.jpg",   "_bottom.jpg"};

} // namespace

void T3DSkyBox::Load(const std::string &theme, const std::filesystem::path &themesFolder) {
  name_ = theme;
  Unload();
  for (std::size_t face = 0; face < faces_.size(); ++face)
    faces_[face] =
        device_.LoadTexture((themesFolder / theme / (theme + kFaceSuffixes[face])).string());
  vertexBuffer_ = device_.CreateVertexBuffer(kCubeTableVertices);
  if (SceneVertex *vertices = vertexBuffer_ ? device_.Lock(vertexBuffer_) : nullptr) {
    const auto &table = CubeTable(0);
    std::copy(table.begin(), table.end(), vertices);
    device_.Unlock(vertexBuffer_);
  }
  loaded_ = true;
}

void T3DSkyBox::Unload() {
  for (TextureId &face : faces_) {
    if (face)
      device_.ReleaseTexture(face);
    face = 0;
  }
  if (vertexBuffer_)
    device_.ReleaseVertexBuffer(vertexBuffer_);
  vertexBuffer_ = 0;
  loaded_ = false;
}

void T3DSkyBox::Render() {
  if (!vertexBuffer_)
    return;
  device_.SetLighting(nullptr);
  device_.SetAlphaBlending(false);
  device_.SetDepth(false, false);
  for (std::size_t face = 0; face < faces_.size(); ++face) {
    device_.SetTexture(faces_[face]);
    device_.DrawStrip(vertexBuffer_, static_cast<int>(6 * face), 4);
  }
}

} // namespace qv
