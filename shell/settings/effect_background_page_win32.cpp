#include "shell/ansi_text_win32.h"
#include "shell/globals.h"
#include "shell/language.h"
#include "shell/settings/background_picture_win32.h"
#include "shell/settings/effect_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"

#include <commdlg.h>

#include <optional>

namespace qv {

namespace {

std::string Translated(const std::string &text) {
  return LanguageController ? LanguageController->Translate(text) : text;
}

constexpr int kRadioStep = 24;
constexpr int kPreviewLeft = 470;
constexpr int kPreviewWidth = 320;
constexpr int kPreviewHeight = 200;

// What an effect shows behind its desktops: a plain colour, a gradient, a
// picture of the user's or a sky-box theme, with a preview of the choice.
// The four effects' pages differ only in the settings they edit.
class TSettingsEffectBackground : public TSettingsBase {
public:
  TSettingsEffectBackground(const PageContext &context, const wchar_t *className, std::string title,
                            EffectKind effect)
      : TSettingsBase(context, className, std::move(title), "522"), keys_(KeysOf(effect)) {}

private:
  static int RadioOf(Background background) {
    return settings_id::kBackgroundBase + static_cast<int>(background);
  }

  void Build(ControlBuilder &controls) override {
    const char *captions[kBackgroundCount] = {"523", "524", "525", "526", "527", "528"};
    int y = kContentTop;
    for (int value = 0; value < kBackgroundCount; ++value) {
      controls.Radio(settings_id::kBackgroundBase + value, captions[value], 0, y, 420, value == 0);
      y += kRadioStep;
      if (value == static_cast<int>(Background::Picture)) {
        controls.Label(settings_id::kFileName, "", 20, y + 4, 310, 20, SS_PATHELLIPSIS);
        controls.Button(settings_id::kBrowse, "529", 340, y, 110, 26);
        y += 34;
      }
    }
    // The themes are filled in on show: as captions they would be taken
    // for text identifiers and translated.
    controls.ComboList(settings_id::kTheme, {}, 20, y, 310);
    controls.Label(0, "530", kPreviewLeft, kContentTop, kPreviewWidth, 20);
    controls.Label(settings_id::kPreview, "", kPreviewLeft, kContentTop + 24, kPreviewWidth,
                   kPreviewHeight, SS_OWNERDRAW);
  }

  void ReadSettings() override {
    stored_ = BackgroundValues::Read(Settings(), keys_);
    HWND themes = Item(settings_id::kTheme);
    const auto names = SkyBoxThemes(SkyBoxFolder());
    for (const std::string &name : names)
      SendMessageW(themes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AnsiToWide(name).c_str()));
    SetComboIndex(themes, ThemeToShow(names, stored_.theme));
    SetText(Item(settings_id::kFileName), stored_.image);
    for (int value = 0; value < kBackgroundCount; ++value)
      SetChecked(Item(settings_id::kBackgroundBase + value), stored_.background == value);
    UpdatePreview();
  }

  // The checked radio button; the stored value when none is.
  int ChosenBackground() const {
    for (int value = 0; value < kBackgroundCount; ++value)
      if (IsChecked(Item(settings_id::kBackgroundBase + value)))
        return value;
    return stored_.background;
  }

  bool WriteSettings() override {
    BackgroundValues{ChosenBackground(), TextOf(Item(settings_id::kFileName)),
                     TextOf(Item(settings_id::kTheme))}
        .Write(Settings(), keys_);
    return true;
  }

  void FollowUp() override {
    if (Services().reloadEffectBackgrounds)
      Services().reloadEffectBackgrounds();
  }

  void OnCommand(int id, int code) override {
    if (id == settings_id::kBrowse)
      ChoosePicture();
    else if ((id == settings_id::kTheme && code == CBN_SELCHANGE) ||
             (id >= settings_id::kBackgroundBase &&
              id < settings_id::kBackgroundBase + kBackgroundCount && code == BN_CLICKED))
      UpdatePreview();
  }

  void ChoosePicture() {
    std::wstring filter = AnsiToWide(Translated("531")) + L" (*.jpg; *.jpeg; *.bmp; *.png)";
    filter += L'\0';
    filter += L"*.jpg;*.jpeg;*.bmp;*.png";
    filter += L'\0';
    filter += L'\0';
    wchar_t file[MAX_PATH] = L"";
    const std::wstring current = AnsiToWide(TextOf(Item(settings_id::kFileName)));
    current.copy(file, MAX_PATH - 1);
    OPENFILENAMEW dialog{sizeof(dialog)};
    dialog.hwndOwner = GetAncestor(Window(), GA_ROOT);
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&dialog) || GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES)
      return;
    SetText(Item(settings_id::kFileName), WideToAnsi(file));
    // Choosing a picture means showing it.
    for (int value = 0; value < kBackgroundCount; ++value)
      SetChecked(Item(settings_id::kBackgroundBase + value),
                 value == static_cast<int>(Background::Picture));
    UpdatePreview();
  }

  void UpdatePreview() {
    switch (static_cast<Background>(ChosenBackground())) {
    case Background::WhiteGradient:
      picture_ = LoadPictureResource(L"WHITEGRADIENT");
      break;
    case Background::BlackGradient:
      picture_ = LoadPictureResource(L"BLACKGRADIENT");
      break;
    case Background::Picture:
      picture_ = LoadPictureFile(AnsiToWide(TextOf(Item(settings_id::kFileName))));
      break;
    case Background::Theme: {
      const std::string theme = TextOf(Item(settings_id::kTheme));
      picture_.reset();
      if (!theme.empty())
        picture_ = LoadPictureFile(ThemeFrontPicture(SkyBoxFolder(), theme));
      break;
    }
    default:
      picture_.reset();
      break;
    }
    InvalidateRect(Item(settings_id::kPreview), nullptr, FALSE);
  }

  void OnDrawItem(const DRAWITEMSTRUCT &item) override {
    if (static_cast<int>(item.CtlID) != settings_id::kPreview)
      return;
    const RECT &area = item.rcItem;
    const bool black = ChosenBackground() == static_cast<int>(Background::Black);
    FillRect(item.hDC, &area,
             static_cast<HBRUSH>(GetStockObject(black ? BLACK_BRUSH : WHITE_BRUSH)));
    if (picture_)
      DrawPicture(item.hDC, *picture_, area);
    FrameRect(item.hDC, &area, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  }

  const EffectKeys &keys_;
  BackgroundValues stored_;
  std::optional<DecodedImage> picture_;
};

} // namespace

PagePointer NewEffectBackgroundPage(const PageContext &context, EffectKind effect) {
  switch (effect) {
  case EffectKind::Explorer:
    return std::make_unique<TSettingsEffectBackground>(context, L"TSettingsExplorerBackground",
                                                       "202", effect);
  case EffectKind::Flip:
    return std::make_unique<TSettingsEffectBackground>(context, L"TSettingsFlipBackground", "206",
                                                       effect);
  case EffectKind::Carousel:
    return std::make_unique<TSettingsEffectBackground>(context, L"TSettingsCarouselBackground",
                                                       "290", effect);
  case EffectKind::Cube:
    break;
  }
  return std::make_unique<TSettingsEffectBackground>(context, L"TSettingsCubeBackground", "16",
                                                     effect);
}

} // namespace qv
