#pragma once
// The Direct3D 9 device of the effects: created once, windowed, on the
// default adapter; lost and reset when another program takes the display;
// textures and vertex buffers kept in tables under small numbers, so that the
// effects work on the device through EffectDevice alone.
#include "capture/image_file.h"
#include "render/com_ptr_win32.h"
#include "render/effect_device.h"

#include <windows.h>

#include <d3d9.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace qv {

class TFastBitmap;

class D3D9Device : public EffectDevice {
public:
  // The picture of a desktop (1 to 6), for CopyPictureToTexture.
  using PictureSource = std::function<const TFastBitmap *(int desktop)>;

  D3D9Device() = default;
  ~D3D9Device() override;
  D3D9Device(const D3D9Device &) = delete;
  D3D9Device &operator=(const D3D9Device &) = delete;

  // Creates the device for `window` with a back buffer of width x height;
  // false (with the reason in `error`) when no device can be made.
  bool Create(HWND window, int width, int height, std::string &error);
  bool Created() const { return static_cast<bool>(device_); }
  IDirect3DDevice9 *Get() const { return device_.Get(); }
  void SetPictureSource(PictureSource source) { pictures_ = std::move(source); }

  // Whether the device can draw now, resetting it when it may be; `onLost`
  // runs before a reset and `onReset` after one that worked.
  bool MakeUsable(const std::function<void()> &onLost, const std::function<void()> &onReset);
  // TestCooperativeLevel as it stands, without a reset.
  bool CooperativeLevelOk() const;
  // Shows the back buffer; false when the device was lost meanwhile.
  bool Present();
  // Waits, sleeping, until the device has finished the frame last presented
  // (at most `limit`). Direct3D under Wine waits for a frame that is still
  // being drawn by spinning on a processor, and a software renderer needs
  // every processor to draw it; waiting here first, the next frame's calls
  // find nothing left to wait for.
  void WaitForLastFrame(std::chrono::milliseconds limit);

  // A texture decoded from a raw data resource of the program.
  TextureId LoadResourceTexture(const char *name);
  // A picture of the program's resources as a texture, and its decoded pixels
  // for whoever wants more than the texture; 0 and nothing when it cannot be read.
  TextureId LoadResourceTexture(const char *name, std::optional<DecodedImage> &decoded);

  // EffectDevice
  TextureId CreateTexture(int width, int height) override;
  TextureId LoadTexture(const std::string &path) override;
  void ReleaseTexture(TextureId texture) override;
  CopyResult CopyPictureToTexture(TextureId texture, int desktop, int width, int height) override;
  BufferId CreateVertexBuffer(int vertices) override;
  SceneVertex *Lock(BufferId buffer) override;
  void Unlock(BufferId buffer) override;
  void ReleaseVertexBuffer(BufferId buffer) override;
  void Clear(std::uint32_t colour) override;
  void BeginScene() override;
  void EndScene() override;
  void ClearDepth() override;
  void SetDepthRange(float nearest, float farthest) override;
  void SetCommonStates(bool antialias) override;
  void SetDepth(bool test, bool write) override;
  void SetAlphaBlending(bool on) override;
  void SetTextureAlpha(bool modulate) override;
  void SetLighting(const PointLight *light) override;
  void SetTransform(TransformKind kind, const Matrix &matrix) override;
  void SetTexture(TextureId texture) override;
  void DrawStrip(BufferId buffer, int firstVertex, int triangles) override;
  void DrawScreenQuad(const std::array<ScreenVertex, 4> &corners) override;
  void DrawScreenTriangles(const std::vector<ScreenVertex> &vertices) override;

  // The textures and buffers still held: for tests of the effects' clean-up.
  std::size_t TextureCount() const { return textures_.size(); }
  std::size_t BufferCount() const { return buffers_.size(); }

private:
  DWORD DepthTargets() const;
  TextureId AddTexture(ComPtr<IDirect3DTexture9> texture);
  TextureId TextureFromPixels(int width, int height, const std::uint8_t *bgra);
  IDirect3DTexture9 *FindTexture(TextureId id) const;

  ComPtr<IDirect3D9> direct3D_;
  ComPtr<IDirect3DDevice9> device_;
  D3DPRESENT_PARAMETERS presentParameters_{};
  ComPtr<IDirect3DQuery9> frameDone_; // issued after each present
  bool frameDoneIssued_ = false;
  PictureSource pictures_;
  std::unordered_map<TextureId, ComPtr<IDirect3DTexture9>> textures_;
  // The scenes' vertices stay in our memory and go to the device with each
  // draw. Under Wine every kind of Direct3D buffer in use costs a resident
  // 64 MiB block, and the draws from memory already need one kind; the
  // effects' few thousand vertices a frame cost nothing to pass whole.
  std::unordered_map<BufferId, std::vector<SceneVertex>> buffers_;
  std::uint32_t nextId_ = 1;
  bool canPowerOfTwoOnly_ = false;
};

} // namespace qv
