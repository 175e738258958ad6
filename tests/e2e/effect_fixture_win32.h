#pragma once
// A test of a 3D effect: the program with one large red window on desktop 1
// and one large green window on desktop 2, the effect brought up by its key,
// and what it draws read back from the X display as the colour of the
// screen's centre.
#include "tests/e2e/stand_in_shell_fixture_win32.h"

#include <functional>
#include <memory>
#include <string>

namespace qv {
class TSetup;
}

namespace qv::e2e {

class EffectEndToEnd : public StandInShellFixture {
protected:
  static constexpr RECT kWindowRect{240, 200, 1040, 800}; // over the screen's centre

  // `name` tells the windows' classes apart ("Cube": QvCubeRed, QvCubeGreen).
  explicit EffectEndToEnd(std::wstring name, int centreSquare)
      : name_(std::move(name)), centreSquare_(centreSquare) {}

  // Desktop 1 current. Desktop 2's picture is taken when it is left; a
  // `password` answers the password screen of a private desktop 2.
  void OpenDesktops(const std::function<void(TSetup &)> &settings = {},
                    const std::wstring &password = L"");
  // Waits for the password screen and answers it.
  void GivePassword(const std::wstring &password);
  // Brings the effect up with its key (held with `modifier`, when one is
  // given) and waits until it has opened.
  void OpenEffect(WORD key, WORD modifier = 0);
  void WaitUntilClosed();

  static bool Hidden(HWND window) { return IsHidden(window, kWindowRect); }
  static bool At(HWND window) { return IsAt(window, kWindowRect); }
  bool OnScreen() const { return WindowRectOf(host_).left == 0; }
  static int EffectsEnded() { return CountOccurrences(ReadFile(LogFile()), "Effect ended"); }

  // The screenshot of the display, or a failure and a black pixel.
  static DecodedImage Screen(const std::string &name);
  // What the screen's centre shows, as a mean colour.
  Colour Centre(const std::string &screenshot) const;
  // Waits until the screen's centre shows a colour: the springs that move
  // the effects count frames, so a busy machine takes longer.
  bool CentreBecomes(const std::string &screenshot, bool (*colour)(Colour)) const;
  static bool Reddish(Colour c) { return c.red > c.green + 60 && c.red > c.blue + 60; }
  static bool Greenish(Colour c) { return c.green > c.red + 60 && c.green > c.blue + 60; }

  std::unique_ptr<Process> program_;
  HWND red_ = nullptr;
  HWND green_ = nullptr;
  HWND host_ = nullptr;
  int ended_ = 0;

private:
  std::wstring name_;
  int centreSquare_;
};

} // namespace qv::e2e
