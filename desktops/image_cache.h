#pragma once
// The wallpaper pictures at screen size, shared by every desktop that shows
// the same file: one picture per file path (compared without regard to case),
// counted by its holders and freed with the last of them.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Whatever the platform keeps a picture in.
class CachedPicture {
public:
  virtual ~CachedPicture() = default;
};

class TImageController {
public:
  // Makes the picture of a file at a size; a file that cannot be read still
  // gives a (blank) picture.
  using Loader =
      std::function<std::unique_ptr<CachedPicture>(const std::string &path, int width, int height)>;

  explicit TImageController(Loader loader);

  CachedPicture *Find(std::string_view path) const;
  // The picture of the file, loaded at width x height the first time; one
  // more holder either way.
  CachedPicture *Acquire(const std::string &path, int width, int height);
  // A picture made elsewhere, kept under `name`; one more holder.
  CachedPicture *Add(const std::string &name, std::unique_ptr<CachedPicture> picture, int width,
                     int height);
  // One holder less; the last one frees the picture.
  void Release(std::string_view path);

  int Holders(std::string_view path) const;
  std::size_t Size() const { return entries_.size(); }
  // One line per picture: its key, size and holders.
  std::vector<std::string> Describe() const;

private:
  struct Entry {
    std::unique_ptr<CachedPicture> picture;
    int width = 0;
    int height = 0;
    int holders = 0;
  };

  Loader loader_;
  std::map<std::string, Entry, std::less<>> entries_;
};

} // namespace qv
