#include "render/d3d9_device_win32.h"

#include "capture/fast_bitmap_win32.h"
#include "capture/image_file.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace qv {
namespace {

constexpr DWORD kSceneVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr DWORD kScreenVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

int NextPowerOfTwo(int value) {
  int power = 1;
  while (power < value)
    power *= 2;
  return power;
}

D3DCOLORVALUE White() {
  return {1.0f, 1.0f, 1.0f, 1.0f};
}

} // namespace

D3D9Device::~D3D9Device() {
  // Everything made on the device goes before the device itself.
  textures_.clear();
  buffers_.clear();
}

bool D3D9Device::Create(HWND window, int width, int height, std::string &error) {
  direct3D_.Reset(Direct3DCreate9(D3D_SDK_VERSION));
  if (!direct3D_) {
    error = "Direct3D 9 is not available";
    return false;
  }
  D3DDISPLAYMODE mode{};
  if (FAILED(direct3D_->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode))) {
    error = "the display mode cannot be read";
    return false;
  }
  const D3DFORMAT backBufferFormat = D3DFMT_X8R8G8B8;
  // Textures must blend after the pixel shader on this back-buffer format.
  if (FAILED(direct3D_->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mode.Format,
                                          D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_TEXTURE,
                                          backBufferFormat))) {
    error = "the adapter cannot blend textures of the screen's format";
    return false;
  }

  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = static_cast<UINT>(width);
  parameters.BackBufferHeight = static_cast<UINT>(height);
  parameters.BackBufferFormat = backBufferFormat;
  parameters.BackBufferCount = 1;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.hDeviceWindow = window;
  parameters.Windowed = TRUE;
  parameters.EnableAutoDepthStencil = TRUE;
  parameters.AutoDepthStencilFormat =
      SUCCEEDED(direct3D_->CheckDepthStencilMatch(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mode.Format,
                                                  backBufferFormat, D3DFMT_D24S8))
          ? D3DFMT_D24S8
          : D3DFMT_D16;
  parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  if (SUCCEEDED(direct3D_->CheckDeviceMultiSampleType(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL,
                                                      D3DFMT_X8R8G8B8, TRUE,
                                                      D3DMULTISAMPLE_2_SAMPLES, nullptr)))
    parameters.MultiSampleType = D3DMULTISAMPLE_2_SAMPLES;

  D3DCAPS9 caps{};
  direct3D_->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps);
  const DWORD processing = (caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT)
                               ? D3DCREATE_HARDWARE_VERTEXPROCESSING
                               : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  // The program's own arithmetic keeps its precision.
  HRESULT result =
      direct3D_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                              processing | D3DCREATE_FPU_PRESERVE, &parameters, device_.Receive());
  if (FAILED(result) && parameters.MultiSampleType != D3DMULTISAMPLE_NONE) {
    parameters.MultiSampleType = D3DMULTISAMPLE_NONE;
    result = direct3D_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                     processing | D3DCREATE_FPU_PRESERVE, &parameters,
                                     device_.Receive());
  }
  if (FAILED(result)) {
    error = "no Direct3D 9 device could be created";
    return false;
  }
  presentParameters_ = parameters;
  canPowerOfTwoOnly_ = (caps.TextureCaps & D3DPTEXTURECAPS_POW2) &&
                       !(caps.TextureCaps & D3DPTEXTURECAPS_NONPOW2CONDITIONAL);
  return true;
}

bool D3D9Device::CooperativeLevelOk() const {
  return device_ && device_->TestCooperativeLevel() == D3D_OK;
}

bool D3D9Device::MakeUsable(const std::function<void()> &onLost,
                            const std::function<void()> &onReset) {
  if (!device_)
    return false;
  const HRESULT level = device_->TestCooperativeLevel();
  if (level == D3D_OK)
    return true;
  if (level != D3DERR_DEVICENOTRESET)
    return false;
  if (onLost)
    onLost();
  frameDone_.Reset();
  frameDoneIssued_ = false;
  D3DPRESENT_PARAMETERS parameters = presentParameters_;
  if (FAILED(device_->Reset(&parameters)))
    return false;
  if (onReset)
    onReset();
  return true;
}

bool D3D9Device::Present() {
  if (!device_)
    return false;
  if (device_->Present(nullptr, nullptr, nullptr, nullptr) == D3DERR_DEVICELOST)
    return false;
  if (!frameDone_)
    device_->CreateQuery(D3DQUERYTYPE_EVENT, frameDone_.Receive());
  frameDoneIssued_ = frameDone_ && SUCCEEDED(frameDone_->Issue(D3DISSUE_END));
  return true;
}

void D3D9Device::WaitForLastFrame(std::chrono::milliseconds limit) {
  if (!frameDoneIssued_)
    return;
  frameDoneIssued_ = false;
  const auto until = std::chrono::steady_clock::now() + limit;
  while (frameDone_->GetData(nullptr, 0, D3DGETDATA_FLUSH) == S_FALSE &&
         std::chrono::steady_clock::now() < until)
    Sleep(1);
}

TextureId D3D9Device::AddTexture(ComPtr<IDirect3DTexture9> texture) {
  const TextureId id = nextId_++;
  textures_.emplace(id, std::move(texture));
  return id;
}

IDirect3DTexture9 *D3D9Device::FindTexture(TextureId id) const {
  const auto found = textures_.find(id);
  return found == textures_.end() ? nullptr : found->second.Get();
}

TextureId D3D9Device::TextureFromPixels(int width, int height, const std::uint8_t *bgra) {
  if (!device_ || width <= 0 || height <= 0)
    return 0;
  const int textureWidth = canPowerOfTwoOnly_ ? NextPowerOfTwo(width) : width;
  const int textureHeight = canPowerOfTwoOnly_ ? NextPowerOfTwo(height) : height;
  ComPtr<IDirect3DTexture9> texture;
  if (FAILED(device_->CreateTexture(static_cast<UINT>(textureWidth),
                                    static_cast<UINT>(textureHeight), 1, 0, D3DFMT_A8R8G8B8,
                                    D3DPOOL_MANAGED, texture.Receive(), nullptr)))
    return 0;
  D3DLOCKED_RECT locked{};
  if (FAILED(texture->LockRect(0, &locked, nullptr, 0)))
    return 0;
  auto *target = static_cast<std::uint8_t *>(locked.pBits);
  for (int y = 0; y < textureHeight; ++y) {
    // Stretched by nearest pixels where the device wants powers of two.
    const int sourceY = y * height / textureHeight;
    auto *row =
        reinterpret_cast<std::uint32_t *>(target + static_cast<std::ptrdiff_t>(y) * locked.Pitch);
    const std::uint8_t *sourceRow = bgra + static_cast<std::ptrdiff_t>(sourceY) * width * 4;
    if (textureWidth == width) {
      std::memcpy(row, sourceRow, static_cast<std::size_t>(width) * 4);
      continue;
    }
    for (int x = 0; x < textureWidth; ++x)
      std::memcpy(row + x, sourceRow + static_cast<std::ptrdiff_t>(x * width / textureWidth) * 4,
                  4);
  }
  texture->UnlockRect(0);
  return AddTexture(std::move(texture));
}

TextureId D3D9Device::CreateTexture(int width, int height) {
  if (!device_ || width <= 0 || height <= 0)
    return 0;
  ComPtr<IDirect3DTexture9> texture;
  if (FAILED(device_->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), 1, 0,
                                    D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, texture.Receive(), nullptr)))
    return 0;
  return AddTexture(std::move(texture));
}

TextureId D3D9Device::LoadTexture(const std::string &path) {
  const auto image = DecodeImageFile(path);
  return image ? TextureFromPixels(image->width, image->height, image->bgra.data()) : 0;
}

TextureId D3D9Device::LoadResourceTexture(const char *name) {
  std::optional<DecodedImage> decoded;
  return LoadResourceTexture(name, decoded);
}

TextureId D3D9Device::LoadResourceTexture(const char *name, std::optional<DecodedImage> &decoded) {
  decoded.reset();
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceA(module, name, MAKEINTRESOURCEA(10)); // RT_RCDATA
  if (!resource)
    return 0;
  HGLOBAL loaded = LoadResource(module, resource);
  const void *bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes)
    return 0;
  decoded = DecodeImage(
      std::span(static_cast<const std::uint8_t *>(bytes), SizeofResource(module, resource)));
  return decoded ? TextureFromPixels(decoded->width, decoded->height, decoded->bgra.data()) : 0;
}

void D3D9Device::ReleaseTexture(TextureId texture) {
  textures_.erase(texture);
}

CopyResult D3D9Device::CopyPictureToTexture(TextureId id, int desktop, int width, int height) {
  IDirect3DTexture9 *texture = FindTexture(id);
  const TFastBitmap *picture = pictures_ ? pictures_(desktop) : nullptr;
  // A picture of the texture's own size goes straight into its memory: a
  // device context on the surface costs far more.
  D3DSURFACE_DESC description{};
  if (texture && picture && picture->Width() == width && picture->Height() == height &&
      SUCCEEDED(texture->GetLevelDesc(0, &description)) &&
      static_cast<int>(description.Width) == width &&
      static_cast<int>(description.Height) == height) {
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(texture->LockRect(0, &locked, nullptr, 0))) {
      const bool read = picture->ReadPixels(locked.pBits, locked.Pitch);
      texture->UnlockRect(0);
      if (read)
        return CopyResult::Ok;
    }
  }
  ComPtr<IDirect3DSurface9> surface;
  if (!texture || FAILED(texture->GetSurfaceLevel(0, surface.Receive())))
    return CopyResult::NoSurface;
  HDC dc = nullptr;
  if (FAILED(surface->GetDC(&dc)))
    return CopyResult::NoDeviceContext;
  if (picture)
    picture->StretchTo(dc, 0, 0, width, height);
  surface->ReleaseDC(dc);
  return CopyResult::Ok;
}

BufferId D3D9Device::CreateVertexBuffer(int vertices) {
  if (!device_ || vertices <= 0)
    return 0;
  const BufferId id = nextId_++;
  buffers_.emplace(id, std::vector<SceneVertex>(static_cast<std::size_t>(vertices)));
  return id;
}

SceneVertex *D3D9Device::Lock(BufferId id) {
  const auto found = buffers_.find(id);
  return found == buffers_.end() ? nullptr : found->second.data();
}

void D3D9Device::Unlock(BufferId) {}

void D3D9Device::ReleaseVertexBuffer(BufferId id) {
  buffers_.erase(id);
}

void D3D9Device::Clear(std::uint32_t colour) {
  device_->Clear(0, nullptr, D3DCLEAR_TARGET | DepthTargets(), 0xFF000000u | colour, 1.0f, 0);
}

void D3D9Device::ClearDepth() {
  device_->Clear(0, nullptr, DepthTargets(), 0, 1.0f, 0);
}

void D3D9Device::SetDepthRange(float nearest, float farthest) {
  D3DVIEWPORT9 viewport{};
  if (FAILED(device_->GetViewport(&viewport)))
    return;
  viewport.MinZ = nearest;
  viewport.MaxZ = farthest;
  device_->SetViewport(&viewport);
}

DWORD D3D9Device::DepthTargets() const {
  return presentParameters_.AutoDepthStencilFormat == D3DFMT_D24S8
             ? D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL
             : D3DCLEAR_ZBUFFER;
}

void D3D9Device::BeginScene() {
  device_->BeginScene();
}
void D3D9Device::EndScene() {
  device_->EndScene();
}

void D3D9Device::SetCommonStates(bool antialias) {
  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  device_->SetRenderState(D3DRS_MULTISAMPLEANTIALIAS, antialias ? TRUE : FALSE);
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
  device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device_->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
  SetTextureAlpha(false);
  device_->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
  device_->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
  device_->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
  device_->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
  device_->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device_->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
}

void D3D9Device::SetDepth(bool test, bool write) {
  device_->SetRenderState(D3DRS_ZENABLE, test ? D3DZB_TRUE : D3DZB_FALSE);
  device_->SetRenderState(D3DRS_ZWRITEENABLE, write ? TRUE : FALSE);
}

void D3D9Device::SetAlphaBlending(bool on) {
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, on ? TRUE : FALSE);
}

void D3D9Device::SetTextureAlpha(bool modulate) {
  if (modulate) {
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  } else {
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TEXTURE);
  }
}

void D3D9Device::SetLighting(const PointLight *light) {
  if (!light) {
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    return;
  }
  D3DMATERIAL9 material{};
  material.Diffuse = material.Ambient = White();
  device_->SetMaterial(&material);
  D3DLIGHT9 point{};
  point.Type = D3DLIGHT_POINT;
  point.Diffuse = White();
  point.Position = {light->position.x, light->position.y, light->position.z};
  point.Range = light->range;
  point.Attenuation0 = 1.0f;
  device_->SetLight(0, &point);
  device_->LightEnable(0, TRUE);
  device_->SetRenderState(D3DRS_LIGHTING, TRUE);
  device_->SetRenderState(D3DRS_AMBIENT, 0x00404040);
}

void D3D9Device::SetTransform(TransformKind kind, const Matrix &matrix) {
  D3DMATRIX value;
  static_assert(sizeof(value) == sizeof(matrix.m));
  std::memcpy(&value, matrix.m, sizeof(value));
  const D3DTRANSFORMSTATETYPE state = kind == TransformKind::World  ? D3DTS_WORLD
                                      : kind == TransformKind::View ? D3DTS_VIEW
                                                                    : D3DTS_PROJECTION;
  device_->SetTransform(state, &value);
}

void D3D9Device::SetTexture(TextureId texture) {
  device_->SetTexture(0, FindTexture(texture));
}

void D3D9Device::DrawStrip(BufferId id, int firstVertex, int triangles) {
  const auto found = buffers_.find(id);
  if (found == buffers_.end() || firstVertex < 0 || triangles <= 0 ||
      static_cast<std::size_t>(firstVertex) + static_cast<std::size_t>(triangles) + 2 >
          found->second.size())
    return;
  device_->SetFVF(kSceneVertexFormat);
  device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, static_cast<UINT>(triangles),
                           found->second.data() + firstVertex, sizeof(SceneVertex));
}

void D3D9Device::DrawScreenQuad(const std::array<ScreenVertex, 4> &corners) {
  device_->SetFVF(kScreenVertexFormat);
  device_->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, corners.data(), sizeof(ScreenVertex));
}

void D3D9Device::DrawScreenTriangles(const std::vector<ScreenVertex> &vertices) {
  if (vertices.size() < 3)
    return;
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2); // the diffuse colour
  device_->SetTexture(0, nullptr);
  device_->SetFVF(kScreenVertexFormat);
  device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<UINT>(vertices.size() / 3),
                           vertices.data(), sizeof(ScreenVertex));
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
}

} // namespace qv
