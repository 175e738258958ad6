#pragma once
// A textured box around the scene, seen from inside: the theme background of
// the effects. Its pictures are "<folder>\<theme>\<theme>_front.jpg" and the
// other five faces.
#include "render/effect_device.h"

#include <array>
#include <filesystem>
#include <string>

namespace qv {

class T3DSkyBox {
public:
  explicit T3DSkyBox(EffectDevice &device) : device_(device) {}
  ~T3DSkyBox() { Unload(); }
  T3DSkyBox(const T3DSkyBox &) = delete;
  T3DSkyBox &operator=(const T3DSkyBox &) = delete;

  // Loads the theme's six faces from the themes folder; a face that cannot
  // be read stays untextured (white).
  void Load(const std::string &theme, const std::filesystem::path &themesFolder);
  void Unload();
  // The six inner faces; the caller places the box with its world transform.
  void Render();

  bool Loaded() const { return loaded_; }
  const std::string &Name() const { return name_; }

private:
  EffectDevice &device_;
  bool loaded_ = false;
  std::string name_;
  BufferId vertexBuffer_ = 0;
  std::array<TextureId, 6> faces_{}; // front, right, back, left, top, bottom
};

} // namespace qv
