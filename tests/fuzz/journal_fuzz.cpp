// The hidden-window journal and the recovery that acts on it: whatever the
// file says, no window but a listed one of the same process and class is touched.
#include "desktops/hidden_window_journal.h"
#include "tests/support/fake_window_system.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("qv-journal-fuzz-" + std::to_string(::getpid()) + ".journal");
  const std::string text(reinterpret_cast<const char *>(data), size);
  std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  const qv::HiddenWindowJournalContents contents = qv::ParseHiddenWindowJournal(text);

  qv::test::FakeWindowSystem system;
  system.Add(1).Rect = {0, -24900, 400, -24600};
  system.Add(2).ExStyle = qv::window_style::kExToolWindow;
  system.Add(3).ClassName = "Other";
  const auto before = system.windows;
  qv::RecoverHiddenWindows(system, file, contents.Session.value_or(qv::JournalSession{}));
  for (const auto &item : system.windows) {
    const qv::WindowHandle handle = item.first;
    const qv::test::FakeWindow &window = item.second;
    const bool listed = std::any_of(contents.Entries.begin(), contents.Entries.end(), [&](auto &e) {
      return e.Handle == handle && e.ProcessId == window.ProcessId &&
             e.ClassName == window.ClassName;
    });
    const auto &old = before.at(handle);
    if (!listed && (window.Rect != old.Rect || window.ExStyle != old.ExStyle))
      std::abort();
  }
  if (std::filesystem::exists(file))
    std::abort(); // a journal is read once
  return 0;
}
