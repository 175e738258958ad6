// qvbench_effects: measures the 3D effects of a running quadrivista.exe from
// outside, one step per argument, for scripts/benchmark.sh:
//   bare:SECONDS      a bare Direct3D 9 loop at the screen's size (clear, one
//                     full-screen textured quad, present): frames per second
//   settings:K=V,...  stores the default settings but for the keys given,
//                     before the program starts
//   EFFECT:SECONDS    cube (F11), flip (F8), carousel (Ctrl+F8) or explorer
//                     (F7): time until the effect is on screen, then its frame
//                     rate while it stays open, then Escape
//   cycles:N[:EFFECT] N times the effect (the cube when none is named)
//                     brought up and left with Escape
//   ripple:X,Y        holds the window whose title bar is at (X, Y), brings up
//                     the flip and lets the window go: the frame rate of the
//                     ripple that ends the effect
//   key:ctrl+N        presses Ctrl with the digit N
//   exposer:open      F9: milliseconds until the overview is fully painted,
//                     from the key and as the program measured it
//   exposer:close     Escape, and waits until the overview has gone
#include "tests/e2e/e2e_support_win32.h"

#include "shell/registry_settings_store_win32.h"
#include "shell/setup_cipher.h"

#include <d3d9.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

namespace {

using namespace qv::e2e;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// What an effect must draw at the least to show a desktop picture.
double BareLoopFramesPerSecond(double seconds) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PlainProc;
  windowClass.lpszClassName = L"QvBareLoop";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"QvBareLoop", L"", WS_POPUP, 0,
                                0, width, height, nullptr, nullptr, nullptr, nullptr);
  ShowWindow(window, SW_SHOW);
  IDirect3D9 *direct3D = Direct3DCreate9(D3D_SDK_VERSION);
  D3DPRESENT_PARAMETERS parameters{};
  parameters.BackBufferWidth = static_cast<UINT>(width);
  parameters.BackBufferHeight = static_cast<UINT>(height);
  parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
  parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
  parameters.hDeviceWindow = window;
  parameters.Windowed = TRUE;
  parameters.EnableAutoDepthStencil = TRUE;
  parameters.AutoDepthStencilFormat = D3DFMT_D24S8;
  parameters.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  if (SUCCEEDED(direct3D->CheckDeviceMultiSampleType(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL,
                                                     D3DFMT_X8R8G8B8, TRUE,
                                                     D3DMULTISAMPLE_2_SAMPLES, nullptr)))
    parameters.MultiSampleType = D3DMULTISAMPLE_2_SAMPLES; // as the program asks
  IDirect3DDevice9 *device = nullptr;
  direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                         D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_FPU_PRESERVE, &parameters,
                         &device);
  if (!device)
    return 0;
  IDirect3DTexture9 *texture = nullptr;
  device->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), 1, 0, D3DFMT_X8R8G8B8,
                        D3DPOOL_MANAGED, &texture, nullptr);
  struct Vertex {
    float x, y, z, rhw;
    DWORD colour;
    float u, v;
  };
  const float w = static_cast<float>(width) - 0.5f, h = static_cast<float>(height) - 0.5f;
  const Vertex quad[4] = {{-0.5f, -0.5f, 0.99f, 1, 0xFFFFFFFF, 0, 0},
                          {w, -0.5f, 0.99f, 1, 0xFFFFFFFF, 1, 0},
                          {w, h, 0.99f, 1, 0xFFFFFFFF, 1, 1},
                          {-0.5f, h, 0.99f, 1, 0xFFFFFFFF, 0, 1}};
  // Nothing but the quad: no depth test (on by default with a depth buffer).
  device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  int frames = 0;
  const auto start = Clock::now();
  while (Seconds(Clock::now() - start) < seconds) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&message);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    device->BeginScene();
    device->SetTexture(0, texture);
    device->SetFVF(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    device->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, quad, sizeof(Vertex));
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
    ++frames;
  }
  const double rate = frames / Seconds(Clock::now() - start);
  texture->Release();
  device->Release();
  direct3D->Release();
  DestroyWindow(window);
  return rate;
}

HWND Host() {
  return FindWindowW(L"TRendererForm", nullptr);
}
bool HostOnScreen() {
  return WindowRectOf(Host()).left == 0;
}
int EffectsEnded() {
  return CountOccurrences(ReadFile(LogFile()), "Effect ended");
}

struct Effect {
  const char *name;
  WORD modifier; // 0: the key alone
  WORD key;
};
constexpr Effect kEffects[] = {{"cube", 0, VK_F11},
                               {"flip", 0, VK_F8},
                               {"carousel", VK_CONTROL, VK_F8},
                               {"explorer", 0, VK_F7}};

const Effect *FindEffect(const std::string &name) {
  for (const Effect &effect : kEffects)
    if (name == effect.name)
      return &effect;
  return nullptr;
}

// Opens the effect; the milliseconds from the key's release until it is on screen.
double OpenEffect(const Effect &effect) {
  if (effect.modifier)
    PressWith(effect.modifier, effect.key);
  else
    PressKey(effect.key);
  const auto pressed = Clock::now();
  // Looked for every millisecond: the shared wait's 50 ms steps would be
  // most of what is measured.
  while (!HostOnScreen()) {
    if (Clock::now() - pressed > 20s)
      return -1;
    Sleep(1);
  }
  return Seconds(Clock::now() - pressed) * 1000;
}

bool CloseEffect(int endedBefore) {
  PressKey(VK_ESCAPE);
  return WaitUntil([&] { return EffectsEnded() > endedBefore && !HostOnScreen(); }, 20s);
}

// The groups of the last log line that matches; none when no line does.
std::vector<std::string> LastLogMatch(const std::regex &line) {
  const std::string log = ReadFile(LogFile());
  std::smatch match, last;
  for (auto it = log.cbegin(); std::regex_search(it, log.cend(), match, line); it = match[0].second)
    last = match;
  return {last.begin(), last.end()};
}

// A log line "... N frames in T ms" as frames per second.
double LoggedRate(const std::regex &line) {
  const auto groups = LastLogMatch(line);
  if (groups.empty())
    return -1;
  return std::stod(groups[1]) * 1000.0 / std::max(1.0, std::stod(groups[2]));
}

bool RunStep(const std::string &step) {
  const auto colon = step.find(':');
  const std::string name = step.substr(0, colon);
  const std::string value = colon == std::string::npos ? "" : step.substr(colon + 1);
  if (name == "bare") {
    std::printf("bare %.1f %dx%d\n", BareLoopFramesPerSecond(std::stod(value)),
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return true;
  }
  if (name == "settings") {
    DeleteSettingsKey(); // the defaults, whatever an earlier run left
    std::string lines = value;
    std::replace(lines.begin(), lines.end(), ',', '\n');
    qv::RegistrySettingsStore store;
    return store.WriteSetupText(qv::SetupCipher().EncipherToHex(lines));
  }
  if (const Effect *effect = FindEffect(name)) {
    const int ended = EffectsEnded();
    const double latency = OpenEffect(*effect);
    if (latency < 0)
      return false;
    Sleep(static_cast<DWORD>(std::stod(value) * 1000));
    if (!CloseEffect(ended))
      return false;
    // "Effect ended after N frames in T ms": the rate over the whole effect.
    const double rate = LoggedRate(std::regex("Effect ended after ([0-9]+) frames in ([0-9]+) ms"));
    if (rate < 0)
      return false;
    std::printf("%s %.0f %.1f\n", effect->name, latency, rate);
    return true;
  }
  if (name == "cycles") {
    const auto second = value.find(':');
    const Effect *effect =
        FindEffect(second == std::string::npos ? "cube" : value.substr(second + 1));
    if (!effect)
      return false;
    for (int i = 0; i < std::stoi(value.substr(0, second)); ++i) {
      const int ended = EffectsEnded();
      if (OpenEffect(*effect) < 0)
        return false;
      Sleep(500);
      if (!CloseEffect(ended))
        return false;
    }
    return true;
  }
  if (name == "ripple") {
    const auto comma = value.find(',');
    if (comma == std::string::npos)
      return false;
    const std::string x = value.substr(0, comma), y = value.substr(comma + 1);
    const int ended = EffectsEnded();
    if (!XDoTool("mousemove " + x + " " + y + " sleep 0.3 mousedown 1 sleep 0.3"))
      return false;
    if (OpenEffect(*FindEffect("flip")) < 0)
      return false;
    Sleep(1500);
    XDoTool("mouseup 1"); // dropped on the desktop in front: the ripple plays there
    if (!WaitUntil([&] { return EffectsEnded() > ended && !HostOnScreen(); }, 30s))
      return false;
    const double rate =
        LoggedRate(std::regex("Water drop ended after ([0-9]+) frames in ([0-9]+) ms"));
    if (rate < 0)
      return false;
    std::printf("ripple %.1f\n", rate);
    return true;
  }
  if (name == "exposer") {
    const auto exposer = [] {
      HWND form = FindWindowW(L"TExpose", nullptr);
      return form && IsWindowVisible(form) && WindowRectOf(form).left == 0;
    };
    if (value == "close") {
      PressKey(VK_ESCAPE);
      return WaitUntil([&] { return !exposer(); }, 20s);
    }
    const int painted = CountOccurrences(ReadFile(LogFile()), "Exposer painted");
    PressKey(VK_F9);
    const auto pressed = Clock::now();
    // Looked for every 5 ms, and read only when the log has grown: the
    // figure is a few tens of milliseconds.
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(LogFile(), error);
    for (;;) {
      if (Clock::now() - pressed > 20s)
        return false;
      const std::uintmax_t now = std::filesystem::file_size(LogFile(), error);
      if (now != size) {
        size = now;
        if (CountOccurrences(ReadFile(LogFile()), "Exposer painted") > painted)
          break;
      }
      Sleep(5);
    }
    const double fromKey = Seconds(Clock::now() - pressed) * 1000;
    // "Exposer painted N thumbnails in T ms": from the request to the last pixel.
    const auto last =
        LastLogMatch(std::regex("Exposer painted ([0-9]+) thumbnails in ([0-9]+) ms"));
    if (last.empty())
      return false;
    std::printf("exposer %.0f %s %s\n", fromKey, last[2].c_str(), last[1].c_str());
    return true;
  }
  if (name == "key") {
    if (value.rfind("ctrl+", 0) != 0 || value.size() != 6)
      return false;
    PressCtrlWith(static_cast<WORD>(value[5]));
    Sleep(1000); // the switch and its pictures
    return true;
  }
  std::fprintf(stderr, "unknown step %s\n", step.c_str());
  return false;
}

} // namespace

int main(int argc, char **argv) {
  for (int i = 1; i < argc; ++i)
    if (!RunStep(argv[i])) {
      std::fprintf(stderr, "step failed: %s\n", argv[i]);
      return 1;
    }
  std::fflush(stdout);
  return 0;
}
