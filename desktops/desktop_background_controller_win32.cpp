#include "desktops/desktop_background_controller_win32.h"

#include "shell/composition_win32.h"

#include "desktops/picture_limits.h"
#include "desktops/system_wallpaper_win32.h"
#include "shell/globals.h"
#include "shell/language.h"
#include "shell/log.h"
#include "shell/setup.h"
#include "shell/window_dc_win32.h"

#include <fstream>
#include <vector>

namespace qv {

// A wallpaper picture at the size it was asked for.
class TDesktopBackgroundController::Picture : public CachedPicture {
public:
  Picture(int width, int height) : bitmap(width, height) {}
  TFastBitmap bitmap;
};

namespace {

constexpr char kDefaultName[] = "default";

std::vector<std::uint8_t> FileHead(const std::filesystem::path &file, std::size_t bytes) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::uint8_t> head(bytes);
  in.read(reinterpret_cast<char *>(head.data()), static_cast<std::streamsize>(bytes));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return head;
}

void FillWithDesktopColour(const TFastBitmap &bitmap) {
  const BitmapDc memory(bitmap.Handle());
  const RECT all{0, 0, bitmap.Width(), bitmap.Height()};
  FillRect(memory.Get(), &all, GetSysColorBrush(COLOR_DESKTOP));
}

} // namespace

TDesktopBackgroundController::TDesktopBackgroundController(Environment environment)
    : environment_(std::move(environment)), initialWallpaper_(CurrentSystemWallpaper()),
      images_([this](const std::string &path, int width, int height) {
        return LoadPicture(path, width, height);
      }) {
  const int width = environment_.screenWidth;
  const int height = environment_.screenHeight;
  std::unique_ptr<CachedPicture> start;
  if (CompositionEnabled()) {
    // The shell prints the present desktop, icons and all.
    auto picture = std::make_unique<Picture>(width, height);
    picture->bitmap.CaptureProgman();
    start = std::move(picture);
  } else {
    start = LoadPicture(initialWallpaper_, width, height);
  }
  images_.Add(kDefaultName, std::move(start), width, height);
}

TDesktopBackgroundController::~TDesktopBackgroundController() {
  monitoring_ = false;
  if (!SaveConfiguration())
    AddLog("wallpapers.cfg could not be written");
  SetSystemWallpaperOnce(initialWallpaper_);
}

void TDesktopBackgroundController::LoadConfiguration() {
  const std::lock_guard guard(lock_);
  std::vector<std::string> problems;
  const WallpaperList read =
      WallpaperList::Load(environment_.appDataPath / "wallpapers.cfg", problems);
  for (const auto &problem : problems)
    AddLog(problem);
  for (int desktop = 1; desktop <= WallpaperList::kDesktopCount; ++desktop)
    Assign(desktop, read.Entry(desktop));
}

bool TDesktopBackgroundController::SaveConfiguration() const {
  return list_.Save(environment_.appDataPath / "wallpapers.cfg");
}

void TDesktopBackgroundController::Assign(int desktop, const std::string &path) {
  if (path == kDefaultWallpaper)
    return;
  list_.SetEntry(desktop, path);
  std::error_code error;
  if (std::filesystem::exists(path, error))
    images_.Acquire(path, environment_.screenWidth, environment_.screenHeight);
  else
    AddLog("Wallpaper of desktop " + std::to_string(desktop) + " not found: " + path);
}

std::unique_ptr<CachedPicture> TDesktopBackgroundController::LoadPicture(const std::string &path,
                                                                         int width, int height) {
  auto picture = std::make_unique<Picture>(width, height);
  FillWithDesktopColour(picture->bitmap);
  std::error_code error;
  const std::uintmax_t fileBytes = std::filesystem::file_size(path, error);
  const auto size = error ? std::nullopt : ReadPictureSize(FileHead(path, 64 * 1024));
  if (!size || !WithinDecodeLimit(*size, fileBytes)) {
    if (!path.empty())
      AddLog("Wallpaper picture not drawn (unreadable, or larger than its file can hold): " + path);
    return picture;
  }
  if (!picture->bitmap.LoadFromFile(path, width, height))
    AddLog("Wallpaper picture does not decode: " + path);
  return picture;
}

void TDesktopBackgroundController::SetSystemWallpaperOnce(const std::string &path) {
  if (CurrentSystemWallpaper() == path)
    return;
  selfChange_ = path;
  selfChangePending_ = true;
  SetSystemWallpaper(path, environment_.setup.DesktopWaitWallpaper);
  AddLog("Wallpaper change");
  AddLog("  new=" + path);
}

void TDesktopBackgroundController::SetDesktopWallpaper(int desktop) {
  SetSystemWallpaperOnce(list_.PathToApply(desktop, initialWallpaper_));
}

void TDesktopBackgroundController::ChangeWallpaper(int desktop, const std::string &path) {
  const std::lock_guard guard(lock_);
  if (desktop < 1 || desktop > WallpaperList::kDesktopCount || list_.Entry(desktop) == path)
    return;
  if (!list_.IsDefault(desktop))
    images_.Release(list_.Entry(desktop));
  list_.SetEntry(desktop, std::string(kDefaultWallpaper));
  Assign(desktop, path);
  SaveConfiguration();
  if (environment_.setup.DesktopEnableMultipleWallpapers && environment_.currentDesktop &&
      environment_.currentDesktop() == desktop)
    SetDesktopWallpaper(desktop);
}

bool TDesktopBackgroundController::DrawWallpaper(int desktop, HDC dc, int width, int height) {
  const std::lock_guard guard(lock_);
  const CachedPicture *found = list_.IsDefault(desktop) ? nullptr : images_.Find(Entry(desktop));
  if (!found)
    found = images_.Find(kDefaultName);
  const auto *picture = dynamic_cast<const Picture *>(found);
  if (!picture)
    return false;
  // Pictures of the desktops may be smaller than the screen: the whole
  // wallpaper is shrunk into them rather than cut.
  if (width == picture->bitmap.Width() && height == picture->bitmap.Height())
    picture->bitmap.DrawTo(dc, 0, 0, width, height);
  else
    picture->bitmap.StretchTo(dc, 0, 0, width, height);
  return true;
}

void TDesktopBackgroundController::PrepareForEffect(int desktop) {
  const std::lock_guard guard(lock_);
  if (!environment_.setup.PerformanceLivePreview || !CompositionEnabled())
    return;
  CachedPicture *found = list_.IsDefault(desktop) ? nullptr : images_.Find(Entry(desktop));
  if (!found)
    found = images_.Find(kDefaultName);
  if (auto *picture = dynamic_cast<Picture *>(found))
    picture->bitmap.CaptureProgman();
}

std::string TDesktopBackgroundController::WallpaperDisplayName(int desktop) const {
  if (!list_.IsDefault(desktop))
    return Entry(desktop);
  const std::string text = "System default wallpaper";
  return LanguageController ? LanguageController->Translate(text) : text;
}

void TDesktopBackgroundController::CheckForWallpaperChange() {
  const std::lock_guard guard(lock_);
  if (!monitoring_)
    return;
  const std::string system = CurrentSystemWallpaper();
  if (selfChangePending_) {
    selfChangePending_ = false;
    // The notice of the program's own change; anything else is the user's.
    if (system == selfChange_)
      return;
  }
  const int desktop = environment_.currentDesktop ? environment_.currentDesktop() : 0;
  if (desktop < 1 || desktop > WallpaperList::kDesktopCount)
    return;
  const WallpaperChange change = DetectWallpaperChange(list_, desktop, system, initialWallpaper_);
  if (!change.changed)
    return;
  if (!list_.IsDefault(desktop))
    images_.Release(change.previous);
  list_.SetEntry(desktop, std::string(kDefaultWallpaper));
  Assign(desktop, change.now);
  SaveConfiguration();
  AddLog("Detected wallpaper change");
  AddLog("   on desktop " + std::to_string(desktop));
  AddLog("   previous=" + change.previous);
  AddLog("   new=" + change.now);
}

void TDesktopBackgroundController::DumpState() const {
  AddLog(monitoring_ ? "Monitorization timer is ENABLED" : "Monitorization timer is DISABLED");
  AddLog("Initial wallpaper=" + initialWallpaper_);
  AddLog("Current wallpaper=" + CurrentSystemWallpaper());
  for (int i = 0; i <= WallpaperList::kDesktopCount; ++i)
    AddLog("Wallpaper " + std::to_string(i) + "=" + list_.Entry(i));
  for (const auto &line : images_.Describe())
    AddLog("Picture " + line);
}

void TDesktopBackgroundController::AddLog(const std::string &line) const {
  if (environment_.log)
    environment_.log->Add(line);
}

} // namespace qv
