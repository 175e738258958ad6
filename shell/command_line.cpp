#include "shell/command_line.h"

namespace qv {

CommandLineOptions ParseCommandLine(const std::vector<std::string> &parameters) {
  CommandLineOptions options;
  if (parameters.empty())
    return options;
  const std::string &first = parameters.front();
  if (first == "-reset")
    options.reset = true;
  else if (first == "-2")
    options.imageScale = 2;
  else if (first == "-4")
    options.imageScale = 4;
  return options;
}

std::vector<std::string> ResetSideFileNames() {
  std::vector<std::string> names;
  for (int desktop = 1; desktop <= 6; ++desktop)
    names.push_back("Desktop." + std::to_string(desktop) + ".icons");
  names.push_back("wallpapers.cfg");
  return names;
}

int DeleteSideFiles(const std::filesystem::path &appDataPath) {
  int deleted = 0;
  for (const auto &name : ResetSideFileNames()) {
    std::error_code error;
    if (std::filesystem::remove(appDataPath / name, error))
      ++deleted;
  }
  return deleted;
}

} // namespace qv
