#include "desktops/window_classification.h"

#include "desktops/window_system.h"

#include <string>

namespace qv {
namespace {

bool ListContains(std::string_view list, std::string_view name, char terminator) {
  std::string key = ";";
  key += name;
  key += terminator;
  return list.find(key) != std::string_view::npos;
}

// The kind digit of the first of the names found in a "name:digit" list.
std::optional<int> ListedKind(std::string_view list, std::string_view className,
                              std::string_view processName) {
  for (std::string_view name : {className, processName}) {
    const std::string key = ";" + std::string(name) + ":";
    const auto at = list.find(key);
    if (at == std::string_view::npos)
      continue;
    const auto digitAt = at + key.size();
    if (digitAt < list.size() && list[digitAt] >= '0' && list[digitAt] <= '9')
      return list[digitAt] - '0';
    return 0;
  }
  return std::nullopt;
}

bool IsIgnored(std::string_view className, std::string_view processName) {
  return ListContains(kIgnoredWindowList, className, ';') ||
         className.find("ATL:") != std::string_view::npos ||
         ListContains(kIgnoredWindowList, processName, ';');
}

} // namespace

RenderingKind RenderingKindFromDigit(int digit) {
  switch (digit) {
  case 1:
  case 8:
    return RenderingKind::AlphaPrint;
  case 2:
    return RenderingKind::Gadget;
  default:
    return RenderingKind::Default;
  }
}

std::optional<WindowClassification> ClassifyNewWindow(const NewWindowFacts &window) {
  if (window.Style & window_style::kChild)
    return std::nullopt;
  if (!(window.Style & window_style::kVisible))
    return std::nullopt;

  WindowClassification result;
  if (const auto kind = ListedKind(kStickyWindowList, window.ClassName, window.ProcessName)) {
    result.Sticky = true;
    result.KindDigit = *kind;
  }

  const bool unownedPopupTool = (window.ExStyle & window_style::kExToolWindow) &&
                                (window.Style & window_style::kPopup) && !window.HasOwner;
  if (unownedPopupTool && !result.Sticky)
    return std::nullopt;

  if (const auto kind = ListedKind(kOverrideWindowList, window.ClassName, window.ProcessName))
    result.KindDigit = *kind;
  else if (IsIgnored(window.ClassName, window.ProcessName))
    return std::nullopt;

  result.Tricky = IsTrickyClass(window.ClassName);
  return result;
}

bool IsTrickyClass(std::string_view className) {
  return ListContains(kTrickyWindowList, className, ';');
}

} // namespace qv
