#include "render/device_warm_up.h"

#include <vector>

namespace qv {

void WarmUpDrawing(EffectDevice &device, TextureId texture) {
  const BufferId buffer = device.CreateVertexBuffer(4);
  if (SceneVertex *vertices = device.Lock(buffer)) {
    for (int i = 0; i < 4; ++i)
      vertices[i] =
          SceneVertex{static_cast<float>(i & 1), static_cast<float>(i >> 1), 0, 0, 0, 1, 0xFFFFFFFF,
                      static_cast<float>(i & 1), static_cast<float>(i >> 1)};
    device.Unlock(buffer);
  }
  const PointLight light{{0, 0, -2}, 4};
  const std::vector<ScreenVertex> triangle{{0, 0, 0.5f, 1, 0xFF000000, 0, 0},
                                           {1, 0, 0.5f, 1, 0xFF000000, 0, 0},
                                           {0, 1, 0.5f, 1, 0xFF000000, 0, 0}};
  device.SetCommonStates(true);
  device.Clear(0);
  device.BeginScene();
  device.SetTransform(TransformKind::World, MatrixIdentity());
  device.SetTransform(TransformKind::View, MatrixIdentity());
  device.SetTransform(TransformKind::Projection, MatrixIdentity());
  for (bool lit : {false, true}) {
    device.SetLighting(lit ? &light : nullptr);
    for (bool blend : {false, true}) {
      device.SetAlphaBlending(blend);
      for (bool textureAlpha : {false, true}) {
        device.SetTextureAlpha(textureAlpha);
        for (TextureId bound : {texture, TextureId{0}}) {
          device.SetTexture(bound);
          if (buffer)
            device.DrawStrip(buffer, 0, 2);
          device.DrawScreenQuad({triangle[0], triangle[1], triangle[2], triangle[2]});
        }
        device.DrawScreenTriangles(triangle);
      }
    }
  }
  device.SetLighting(nullptr);
  device.SetTextureAlpha(false);
  device.SetAlphaBlending(false);
  device.EndScene();
  if (buffer)
    device.ReleaseVertexBuffer(buffer);
}

} // namespace qv
