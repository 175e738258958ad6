#pragma once
// The drawing device as the effects see it: textures, vertex buffers, the few
// render states they switch and the draw calls they make. The program's
// implementation is a Direct3D 9 device; tests use a fake that records what
// was drawn.
#include "render/matrix.h"
#include "render/scene_vertex.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

using TextureId = std::uint32_t; // 0: no texture
using BufferId = std::uint32_t;  // 0: no buffer

enum class TransformKind { World, View, Projection };

enum class CopyResult { Ok, NoSurface, NoDeviceContext };

struct PointLight {
  Vec3 position;
  float range;
};

class EffectDevice {
public:
  virtual ~EffectDevice() = default;

  // A managed texture of the screen-compatible format, one level; 0 on failure.
  virtual TextureId CreateTexture(int width, int height) = 0;
  // A texture decoded from a picture file (JPEG or PNG); 0 when it cannot be read.
  virtual TextureId LoadTexture(const std::string &path) = 0;
  virtual void ReleaseTexture(TextureId texture) = 0;
  // Draws the desktop's picture stretched into the top-left `width` x `height`
  // pixels of the texture.
  virtual CopyResult CopyPictureToTexture(TextureId texture, int desktop, int width,
                                          int height) = 0;

  // A write-only buffer of scene vertices in the default pool; 0 on failure.
  virtual BufferId CreateVertexBuffer(int vertices) = 0;
  // The buffer's vertices until Unlock; nullptr on failure.
  virtual SceneVertex *Lock(BufferId buffer) = 0;
  virtual void Unlock(BufferId buffer) = 0;
  virtual void ReleaseVertexBuffer(BufferId buffer) = 0;

  // Target and depth buffer, depth 1, stencil 0; colour as 0xRRGGBB.
  virtual void Clear(std::uint32_t colour) = 0;
  // Depth 1 and stencil 0 only, for a frame whose background covers the screen.
  virtual void ClearDepth() = 0;
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  // Culling and lighting off, multisampling as asked, stage 0 colour texture x
  // diffuse with diffuse alpha, linear clamped sampling, blending source alpha
  // over inverse source alpha.
  virtual void SetCommonStates(bool antialias) = 0;
  virtual void SetDepth(bool test, bool write) = 0;
  // The part of the depth buffer that the scene's depths 0 to 1 map onto: a
  // layer drawn in the far half always lies under one drawn in the near half.
  virtual void SetDepthRange(float nearest, float farthest) = 0;
  virtual void SetAlphaBlending(bool on) = 0;
  // Stage 0 alpha: texture x diffuse (on) or diffuse alone (off).
  virtual void SetTextureAlpha(bool modulate) = 0;
  // Lighting with one white point light and grey ambient light, or none.
  virtual void SetLighting(const PointLight *light) = 0;
  virtual void SetTransform(TransformKind kind, const Matrix &matrix) = 0;
  virtual void SetTexture(TextureId texture) = 0;
  // Triangle strip of the buffer's vertices.
  virtual void DrawStrip(BufferId buffer, int firstVertex, int triangles) = 0;
  // A screen-space quad as a fan of two triangles.
  virtual void DrawScreenQuad(const std::array<ScreenVertex, 4> &corners) = 0;
  // Screen-space triangles (three vertices each) coloured by their vertices
  // alone, without a texture.
  virtual void DrawScreenTriangles(const std::vector<ScreenVertex> &vertices) = 0;
};

} // namespace qv
