#include "shell/settings/control_page_values.h"
#include "shell/settings/settings_control_ids.h"
#include "shell/settings/settings_pages_win32.h"
#include "shell/setup.h"
#include "shell/unique_handle_win32.h"

#include <array>

namespace qv {

namespace {

// The screen picture and where each zone's combo box stands around it
// (96-DPI pixels, page coordinates).
constexpr RECT kScreen{260, 150, 550, 330};
constexpr int kBezel = 8;
constexpr int kComboWidth = 210;
constexpr std::array<POINT, kHotZoneCount + 1> kComboPlaces = {{{0, 0},
                                                                {30, 112},
                                                                {300, 112},
                                                                {570, 112},
                                                                {570, 228},
                                                                {570, 346},
                                                                {300, 346},
                                                                {30, 346},
                                                                {30, 228}}};

// What each hot corner and edge of the screen does.
class TSettingsControlHotZones : public TSettingsBase {
public:
  explicit TSettingsControlHotZones(const PageContext &context)
      : TSettingsBase(context, L"TSettingsControlHotZones", "29", "307") {}

private:
  void Build(ControlBuilder &controls) override {
    controls.CheckBox(settings_id::kEnable, "308", 0, kContentTop, 400);
    const std::vector<std::string> actions(ActionCaptions().begin(), ActionCaptions().end());
    for (int zone = 1; zone <= kHotZoneCount; ++zone) {
      const POINT place = kComboPlaces[static_cast<std::size_t>(zone)];
      controls.ComboList(settings_id::kHotZoneBase + zone, actions, place.x, place.y, kComboWidth);
    }
    controls.Label(0, "309", 30, 404, 300, 20);
    // Its numbers are filled in on show: as captions they would be taken for
    // text identifiers and translated.
    controls.ComboList(settings_id::kSensibility, {}, 340, 400, 80);
  }

  void ReadSettings() override {
    stored_ = HotZonePageValues::Read(Settings());
    SetChecked(Item(settings_id::kEnable), stored_.enabled);
    for (int zone = 1; zone <= kHotZoneCount; ++zone)
      SetComboIndex(Item(settings_id::kHotZoneBase + zone),
                    stored_.actions[static_cast<std::size_t>(zone)]);
    HWND sensibility = Item(settings_id::kSensibility);
    for (int value = 0; value <= kMaxSensibility; ++value)
      SendMessageW(sensibility, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(std::to_wstring(value).c_str()));
    SetComboIndex(sensibility, stored_.sensibility);
  }

  bool WriteSettings() override {
    // A combo box showing no choice (a stored value it does not offer)
    // leaves that value as it is.
    HotZonePageValues values = stored_;
    values.enabled = IsChecked(Item(settings_id::kEnable));
    for (int zone = 1; zone <= kHotZoneCount; ++zone) {
      int &action = values.actions[static_cast<std::size_t>(zone)];
      action = ComboIndexOr(Item(settings_id::kHotZoneBase + zone), action);
    }
    values.sensibility = ComboIndexOr(Item(settings_id::kSensibility), values.sensibility);
    values.Write(Settings());
    return true;
  }

  void FollowUp() override {
    if (Services().restartHookThread)
      Services().restartHookThread();
  }

  RECT Scaled(const RECT &rect) const {
    return {Scale(rect.left), Scale(rect.top), Scale(rect.right), Scale(rect.bottom)};
  }

  void OnPaint(HDC dc) override {
    RECT bezel = kScreen;
    InflateRect(&bezel, kBezel, kBezel);
    UniqueBrush bezelBrush(CreateSolidBrush(RGB(0x2B, 0x2F, 0x36)));
    UniqueBrush screenBrush(CreateSolidBrush(RGB(0x3A, 0x7B, 0xC8)));
    UniqueBrush zoneBrush(CreateSolidBrush(RGB(0xFF, 0xC8, 0x3D)));
    const RECT bezelArea = Scaled(bezel);
    const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    const HGDIOBJ oldBrush = SelectObject(dc, bezelBrush.Get());
    RoundRect(dc, bezelArea.left, bezelArea.top, bezelArea.right, bezelArea.bottom, Scale(10),
              Scale(10));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    const RECT screen = Scaled(kScreen);
    FillRect(dc, &screen, screenBrush.Get());

    // The zones: the four corners and the middle two thirds of each edge.
    const int corner = 16;
    const int edge = 6;
    const int width = kScreen.right - kScreen.left;
    const int height = kScreen.bottom - kScreen.top;
    const RECT &s = kScreen;
    const RECT zones[] = {
        {s.left, s.top, s.left + corner, s.top + corner},
        {s.left + width / 6, s.top, s.right - width / 6, s.top + edge},
        {s.right - corner, s.top, s.right, s.top + corner},
        {s.right - edge, s.top + height / 6, s.right, s.bottom - height / 6},
        {s.right - corner, s.bottom - corner, s.right, s.bottom},
        {s.left + width / 6, s.bottom - edge, s.right - width / 6, s.bottom},
        {s.left, s.bottom - corner, s.left + corner, s.bottom},
        {s.left, s.top + height / 6, s.left + edge, s.bottom - height / 6},
    };
    for (const RECT &zone : zones) {
      const RECT area = Scaled(zone);
      FillRect(dc, &area, zoneBrush.Get());
    }
  }

  HotZonePageValues stored_;
};

} // namespace

PagePointer NewHotZonesPage(const PageContext &context) {
  return std::make_unique<TSettingsControlHotZones>(context);
}

} // namespace qv
