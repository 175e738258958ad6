#pragma once
// Test support for the effects: a clock the test moves, a device that keeps what
// it hands out and what each frame drew, and six desktops held in memory.
#include "render/effect_device.h"
#include "render/effect_world.h"
#include "tests/support/desktop_test_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::test {

class ManualClock : public PerformanceClock {
public:
  std::int64_t Counter() const override { return now; }
  std::int64_t Frequency() const override { return 1000; } // milliseconds
  std::int64_t now = 0;
};

// Keeps the textures and buffers it hands out, and what each frame drew.
class RecordingDevice : public EffectDevice {
public:
  TextureId CreateTexture(int, int) override { return failTextures ? 0 : Add(textures); }
  TextureId LoadTexture(const std::string &) override { return Add(textures); }
  void ReleaseTexture(TextureId id) override { textures.erase(id); }
  CopyResult CopyPictureToTexture(TextureId, int desktop, int, int) override {
    copies.push_back(desktop);
    return CopyResult::Ok;
  }
  BufferId CreateVertexBuffer(int vertices) override {
    if (vertices > maxBufferVertices)
      return 0;
    const BufferId id = Add(textures);
    buffers[id].resize(static_cast<std::size_t>(vertices));
    return id;
  }
  SceneVertex *Lock(BufferId id) override { return buffers[id].data(); }
  void Unlock(BufferId) override {}
  void ReleaseVertexBuffer(BufferId id) override {
    buffers.erase(id);
    textures.erase(id);
  }
  void Clear(std::uint32_t) override {}
  void ClearDepth() override {}
  void BeginScene() override { strips.clear(), quads.clear(), colouredTriangles.clear(); }
  void EndScene() override {}
  void SetCommonStates(bool) override {}
  void SetDepth(bool, bool) override {}
  void SetDepthRange(float, float) override {}
  void SetAlphaBlending(bool) override {}
  void SetTextureAlpha(bool) override {}
  void SetLighting(const PointLight *) override {}
  void SetTransform(TransformKind kind, const Matrix &m) override {
    if (kind == TransformKind::View)
      view = m;
    else if (kind == TransformKind::World)
      world = m;
  }
  void SetTexture(TextureId id) override { texture = id; }
  void DrawStrip(BufferId buffer, int first, int triangles) override {
    strips.push_back({first, texture, buffer, triangles, world});
  }
  void DrawScreenQuad(const std::array<ScreenVertex, 4> &corners) override {
    quads.push_back(corners);
  }
  void DrawScreenTriangles(const std::vector<ScreenVertex> &vertices) override {
    colouredTriangles.push_back(vertices);
  }

  struct Strip {
    int first;
    TextureId texture;
    BufferId buffer;
    int triangles;
    Matrix world;
  };
  std::map<TextureId, int> textures;
  std::map<BufferId, std::vector<SceneVertex>> buffers;
  std::vector<int> copies;
  std::vector<Strip> strips;
  std::vector<std::array<ScreenVertex, 4>> quads;
  std::vector<std::vector<ScreenVertex>> colouredTriangles;
  TextureId texture = 0;
  Matrix view{}, world{};
  bool failTextures = false;
  int maxBufferVertices = 1 << 30;

private:
  TextureId Add(std::map<TextureId, int> &table) {
    table[next] = 1;
    return next++;
  }
  TextureId next = 100;
};

class FakeWorld : public EffectWorld {
public:
  explicit FakeWorld(test::DesktopTestWorld &desktops) : desktops_(desktops) {
    textures.ProtectedDesktop = 1;
    textures.BlackGradient = 2;
    textures.RotateNormal = textures.RotateOver = 3;
    textures.PointerNormal = textures.PointerOver = 4;
    for (auto &pair : textures.Buttons)
      pair = {5, 6};
  }
  const TSetup &Setup() const override { return desktops_.setup; }
  int ScreenWidth() const override { return 1280; }
  int ScreenHeight() const override { return 1024; }
  int ImageScale() const override { return 1; }
  const PerformanceClock &Clock() const override { return clock; }
  const HostTextures &Textures() const override { return textures; }
  TWindowManager &WindowManager() override { return *desktops_.manager; }
  bool TranslucentWindowsAvailable() const override { return false; }
  void SetTopmost(WindowHandle window, bool topmost) override { topmostCalls[window] = topmost; }
  void MakeOpaque(WindowHandle) override {}
  void UseWorkHeight() override { workHeight = true; }
  void UseFullHeight() override { workHeight = false; }
  std::string Translate(const std::string &id) override { return "text " + id; }
  void ShowOsd(const std::string &text) override { osd.push_back(text); }
  void UpdateDesktopTrayIcons() override {}
  void ParkHost() override { parked = true; }
  ScreenPoint CursorPos() override { return cursor; }
  bool LeftButtonDown() override { return buttonDown; }
  void ShowError(const std::string &text) override { errors.push_back(text); }
  void Log(const std::string &line) override { log.push_back(line); }
  std::unique_ptr<LivePreview> CreateLivePreview() override { return nullptr; }

  ManualClock clock;
  HostTextures textures;
  std::map<WindowHandle, bool> topmostCalls;
  std::vector<std::string> osd, errors, log;
  ScreenPoint cursor{640, 600};
  bool buttonDown = false, workHeight = true, parked = false;

private:
  test::DesktopTestWorld &desktops_;
};

// One effect driven frame by frame, as a user would, on desktops held in memory.
template <class Renderer> class EffectTest : public ::testing::Test {
protected:
  // Enough frames for any move to come to rest.
  static constexpr int kSettle = 300;

  // Opens the effect on the desktop, then runs `frames` frames.
  void Open(int onDesktop = 1, int frames = 0) {
    desktops.SwitchTo(onDesktop);
    desktops.setup.PerformanceLivePreview = false;
    effect.reset();
    effect = std::make_unique<Renderer>(device, world);
    effect->Initialise();
    Frames(frames);
  }
  // Up to `count` frames, fewer once the effect has finished.
  void Frames(int count = kSettle, int milliseconds = 10) {
    for (int i = 0; i < count && !effect->Finished(); ++i) {
      world.clock.now += milliseconds;
      effect->Render();
    }
  }
  // A key press or an edge trigger, then the frames that follow it.
  void Key(int key, int frames = kSettle) {
    effect->HandleKeyDown(key);
    Frames(frames);
  }
  void Trigger(std::uint32_t code, int frames = kSettle) {
    effect->HandleTrigger(code);
    Frames(frames);
  }
  // The left button held over a frame, a move by (dx, dy) over the next, then let go.
  void Drag(int dx, int dy, bool release = true) {
    world.buttonDown = true;
    Frames(1);
    world.cursor.x += dx;
    world.cursor.y += dy;
    Frames(1);
    world.buttonDown = !release;
  }
  int Current() { return desktops.manager->CurrentDesktop()->Number(); }
  bool DrewProtectedPicture() const {
    return std::any_of(device.strips.begin(), device.strips.end(), [&](const auto &strip) {
      return strip.texture == world.textures.ProtectedDesktop;
    });
  }

  DesktopTestWorld desktops;
  RecordingDevice device;
  FakeWorld world{desktops};
  std::unique_ptr<Renderer> effect;
};

} // namespace qv::test
