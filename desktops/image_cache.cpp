#include "desktops/image_cache.h"

#include "shell/text_util.h"

namespace qv {

TImageController::TImageController(Loader loader) : loader_(std::move(loader)) {}

CachedPicture *TImageController::Find(std::string_view path) const {
  const auto found = entries_.find(AsciiLower(path));
  return found == entries_.end() ? nullptr : found->second.picture.get();
}

CachedPicture *TImageController::Acquire(const std::string &path, int width, int height) {
  const std::string key = AsciiLower(path);
  auto found = entries_.find(key);
  if (found == entries_.end()) {
    Entry entry{loader_(path, width, height), width, height, 0};
    found = entries_.emplace(key, std::move(entry)).first;
  }
  ++found->second.holders;
  return found->second.picture.get();
}

CachedPicture *TImageController::Add(const std::string &name,
                                     std::unique_ptr<CachedPicture> picture, int width,
                                     int height) {
  const std::string key = AsciiLower(name);
  auto found = entries_.find(key);
  if (found == entries_.end())
    found = entries_.emplace(key, Entry{std::move(picture), width, height, 0}).first;
  ++found->second.holders;
  return found->second.picture.get();
}

void TImageController::Release(std::string_view path) {
  const auto found = entries_.find(AsciiLower(path));
  if (found != entries_.end() && --found->second.holders <= 0)
    entries_.erase(found);
}

int TImageController::Holders(std::string_view path) const {
  const auto found = entries_.find(AsciiLower(path));
  return found == entries_.end() ? 0 : found->second.holders;
}

std::vector<std::string> TImageController::Describe() const {
  std::vector<std::string> lines;
  for (const auto &[key, entry] : entries_)
    lines.push_back(key + " " + std::to_string(entry.width) + "x" + std::to_string(entry.height) +
                    " holders=" + std::to_string(entry.holders));
  return lines;
}

} // namespace qv
