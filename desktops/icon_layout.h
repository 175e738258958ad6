#pragma once
// Where the desktop icons sit on one desktop: one line per icon, its label,
// "=", and its position "x,y" in the icon list's coordinates. A label occurs
// once. Icons that do not belong on a desktop are parked far off the screen.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qv {

struct IconPosition {
  int x = 0;
  int y = 0;
  friend bool operator==(const IconPosition &, const IconPosition &) = default;
};

class IconLayout {
public:
  static constexpr IconPosition kParked{20000, 20000};
  static constexpr std::size_t kMaxLabelLength = 259;
  static constexpr std::size_t kMaxIcons = 4096;
  static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

  struct Line {
    std::string label;
    std::string value; // "x,y"
  };

  const std::vector<Line> &Lines() const { return lines_; }
  bool Empty() const { return lines_.empty(); }
  void Clear() { lines_.clear(); }

  // The value of the label, null when the layout does not name it.
  const std::string *Value(std::string_view label) const;
  // Sets the label's value, adding a line at the end for a new label.
  void Set(std::string_view label, std::string value);
  void Set(std::string_view label, IconPosition position) { Set(label, Format(position)); }

  // "x,y" as two decimal integers and nothing else; nullopt otherwise.
  static std::optional<IconPosition> ParsePosition(std::string_view value);
  static std::string Format(IconPosition position);

  // The lines, each ended by CR LF.
  std::string Format() const;
  // Reads the lines of a file. A line without "=", an empty or overlong
  // label, or a value that is not a position is left out and described in
  // `problems`.
  static IconLayout Parse(std::string_view text, std::vector<std::string> &problems);

  // Reads a layout file; nullopt when there is none.
  static std::optional<IconLayout> Load(const std::filesystem::path &file,
                                        std::vector<std::string> &problems);
  bool Save(const std::filesystem::path &file) const;

private:
  std::vector<Line> lines_;
};

// The icon manager's choices: whether an icon is shown on a desktop (not
// parked there), and showing or parking it. An icon shown again goes back to
// where the start-up layout had it.
bool IsIconShown(const IconLayout &desktop, std::string_view label);
void ShowIcon(IconLayout &desktop, const IconLayout &startup, std::string_view label, bool shown);

} // namespace qv
