#include "shell/log.h"

namespace qv {

TLog::TLog(std::size_t maxLines) : maxLines_(maxLines == 0 ? 1 : maxLines) {}

std::filesystem::path TLog::PreviousFileName(const std::filesystem::path &file) {
  auto previous = file;
  previous.replace_extension(".old" + file.extension().string());
  return previous;
}

void TLog::MirrorToFile(const std::filesystem::path &file, std::uintmax_t maxBytes) {
  std::lock_guard guard(lock_);
  file_ = file;
  maxFileBytes_ = maxBytes;
  std::error_code error;
  const auto size = std::filesystem::file_size(file_, error);
  fileBytes_ = error ? 0 : size;
  stream_.close();
  stream_.open(file_, std::ios::binary | std::ios::app);
}

void TLog::Add(const std::string &text) {
  std::function<void(const std::string &)> listener;
  {
    std::lock_guard guard(lock_);
    lines_.push_back(text);
    if (lines_.size() > maxLines_)
      lines_.pop_front();
    WriteToFile(text);
    listener = listener_;
  }
  if (listener)
    listener(text);
}

void TLog::WriteToFile(const std::string &text) {
  if (!stream_.is_open())
    return;
  const std::uintmax_t lineBytes = text.size() + 2;
  if (fileBytes_ > 0 && fileBytes_ + lineBytes > maxFileBytes_) {
    stream_.close();
    std::error_code ignored;
    std::filesystem::rename(file_, PreviousFileName(file_), ignored);
    stream_.open(file_, std::ios::binary | std::ios::trunc);
    fileBytes_ = 0;
  }
  stream_ << text << "\r\n";
  stream_.flush();
  fileBytes_ += lineBytes;
}

std::vector<std::string> TLog::Lines() const {
  std::lock_guard guard(lock_);
  return {lines_.begin(), lines_.end()};
}

std::size_t TLog::LineCount() const {
  std::lock_guard guard(lock_);
  return lines_.size();
}

void TLog::SetListener(std::function<void(const std::string &)> listener) {
  std::lock_guard guard(lock_);
  listener_ = std::move(listener);
}

} // namespace qv
