#include "desktops/icon_controller_win32.h"

#include "shell/ansi_text_win32.h"
#include "shell/log.h"
#include "shell/unique_handle_win32.h"

#include <commctrl.h>

#include <optional>

namespace qv {
namespace {

// A list view of a hung shell must not hang the program.
constexpr UINT kShellTimeoutMs = 2000;
constexpr int kMaxLabelCharacters = 255;

// One block of memory in the shell's process: the list view reads its
// requests from there and writes its answers there. Freed on every path.
class RemoteBlock {
public:
  static constexpr SIZE_T kSize = 4096;
  static constexpr SIZE_T kTextOffset = 512;   // item texts, up to 256 wide characters
  static constexpr SIZE_T kPointOffset = 1536; // an icon position

  explicit RemoteBlock(HWND list) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    if (!processId)
      return;
    process_.Reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                   PROCESS_QUERY_INFORMATION,
                               FALSE, processId));
    if (process_)
      address_ = static_cast<std::uint8_t *>(
          VirtualAllocEx(process_.Get(), nullptr, kSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteBlock() {
    if (address_)
      VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock &) = delete;
  RemoteBlock &operator=(const RemoteBlock &) = delete;

  explicit operator bool() const { return address_ != nullptr; }
  std::uint8_t *At(SIZE_T offset) const { return address_ + offset; }

  bool Write(SIZE_T offset, const void *data, SIZE_T bytes) const {
    SIZE_T written = 0;
    return offset + bytes <= kSize &&
           WriteProcessMemory(process_.Get(), At(offset), data, bytes, &written) &&
           written == bytes;
  }
  bool Read(SIZE_T offset, void *data, SIZE_T bytes) const {
    SIZE_T read = 0;
    return offset + bytes <= kSize &&
           ReadProcessMemory(process_.Get(), At(offset), data, bytes, &read) && read == bytes;
  }

private:
  UniqueHandle<HANDLE, &::CloseHandle> process_;
  std::uint8_t *address_ = nullptr;
};

std::optional<LRESULT> Ask(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                           kShellTimeoutMs, &result))
    return std::nullopt;
  return static_cast<LRESULT>(result);
}

HWND FirstChild(HWND parent) {
  return parent ? FindWindowExW(parent, nullptr, nullptr, nullptr) : nullptr;
}

} // namespace

HWND FindDesktopIconList() {
  return FirstChild(FirstChild(FindWindowW(L"Progman", nullptr)));
}

bool TIconController::ReadLayout() {
  const HWND list = FindDesktopIconList();
  if (!list)
    return false;
  const RemoteBlock block(list);
  if (!block) {
    AddLog("Desktop icons: the shell's memory cannot be reached");
    return false;
  }
  const auto count = Ask(list, LVM_GETITEMCOUNT, 0, 0);
  if (!count)
    return false;
  IconLayout read;
  const int icons =
      static_cast<int>(std::min<LRESULT>(*count, static_cast<LRESULT>(IconLayout::kMaxIcons)));
  for (int index = 0; index < icons; ++index) {
    LVITEMW item{};
    item.pszText = reinterpret_cast<wchar_t *>(block.At(RemoteBlock::kTextOffset));
    item.cchTextMax = kMaxLabelCharacters;
    if (!block.Write(0, &item, sizeof(item)))
      return false;
    const auto length = Ask(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(block.At(0)));
    if (!length)
      return false;
    std::wstring label(
        static_cast<std::size_t>(std::clamp<LRESULT>(*length, 0, kMaxLabelCharacters)), L'\0');
    if (!label.empty() &&
        !block.Read(RemoteBlock::kTextOffset, label.data(), label.size() * sizeof(wchar_t)))
      return false;
    POINT position{};
    if (!block.Write(RemoteBlock::kPointOffset, &position, sizeof(position)) ||
        !Ask(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(index),
             reinterpret_cast<LPARAM>(block.At(RemoteBlock::kPointOffset))) ||
        !block.Read(RemoteBlock::kPointOffset, &position, sizeof(position)))
      return false;
    if (!label.empty())
      read.Set(WideToAnsi(label), IconPosition{position.x, position.y});
  }
  layout_ = std::move(read);
  return true;
}

bool TIconController::ApplyLayout() const {
  const HWND list = FindDesktopIconList();
  if (!list)
    return false;
  const RemoteBlock block(list);
  if (!block) {
    AddLog("Desktop icons: the shell's memory cannot be reached");
    return false;
  }
  const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  if (style & LVS_AUTOARRANGE)
    SetWindowLongPtrW(list, GWL_STYLE, style & ~static_cast<LONG_PTR>(LVS_AUTOARRANGE));
  for (const auto &line : layout_.Lines()) {
    const auto position = IconLayout::ParsePosition(line.value);
    std::wstring label = AnsiToWide(line.label);
    if (!position || label.empty() || label.size() > kMaxLabelCharacters)
      continue;
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = reinterpret_cast<const wchar_t *>(block.At(RemoteBlock::kTextOffset));
    if (!block.Write(0, &find, sizeof(find)) ||
        !block.Write(RemoteBlock::kTextOffset, label.c_str(), (label.size() + 1) * sizeof(wchar_t)))
      return false;
    const auto index =
        Ask(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(block.At(0)));
    if (!index)
      return false;
    if (*index < 0)
      continue;
    // The 32-bit form keeps positions beyond the 16 bits of the other.
    const POINT point{position->x, position->y};
    if (!block.Write(RemoteBlock::kPointOffset, &point, sizeof(point)))
      return false;
    Ask(list, LVM_SETITEMPOSITION32, static_cast<WPARAM>(*index),
        reinterpret_cast<LPARAM>(block.At(RemoteBlock::kPointOffset)));
  }
  // Some lists leave the icons' old places painted.
  InvalidateRect(list, nullptr, TRUE);
  return true;
}

bool TIconController::Save(const std::filesystem::path &file) const {
  const bool saved = layout_.Save(file);
  if (!saved)
    AddLog("Desktop icons: " + file.filename().string() + " could not be written");
  return saved;
}

void TIconController::Load(const std::filesystem::path &file) {
  std::vector<std::string> problems;
  auto read = IconLayout::Load(file, problems);
  for (const auto &problem : problems)
    AddLog(file.filename().string() + ": " + problem);
  layout_ = read ? std::move(*read) : IconLayout{};
  if (layout_.Empty())
    ReadLayout();
}

void TIconController::AddLog(const std::string &line) const {
  if (log_)
    log_->Add(line);
}

} // namespace qv
