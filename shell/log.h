#pragma once
#include <cstddef>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace qv {

// The diagnostic record: free-text lines appended one at a time. A process
// may run for weeks, so only the most recent lines are kept in memory, and
// every line is mirrored to a size-capped file with one previous file kept.
class TLog {
public:
  static constexpr std::size_t kDefaultMaxLines = 50000;
  static constexpr std::uintmax_t kDefaultMaxFileBytes = 4 * 1024 * 1024;

  explicit TLog(std::size_t maxLines = kDefaultMaxLines);

  // Starts mirroring to `file`; when it grows past `maxBytes` it is renamed
  // to `file` with ".old" before its extension and a new file is begun.
  void MirrorToFile(const std::filesystem::path &file,
                    std::uintmax_t maxBytes = kDefaultMaxFileBytes);

  void Add(const std::string &text);

  std::vector<std::string> Lines() const;
  std::size_t LineCount() const;

  // Called after each Add with the new line (the log window shows lines live).
  void SetListener(std::function<void(const std::string &)> listener);

  static std::filesystem::path PreviousFileName(const std::filesystem::path &file);

private:
  void WriteToFile(const std::string &text);

  mutable std::mutex lock_;
  std::size_t maxLines_;
  std::deque<std::string> lines_;
  std::filesystem::path file_;
  std::uintmax_t maxFileBytes_ = 0;
  std::uintmax_t fileBytes_ = 0;
  std::ofstream stream_;
  std::function<void(const std::string &)> listener_;
};

} // namespace qv
