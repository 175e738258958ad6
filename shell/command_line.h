#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace qv {

// The switches of the command line. Only the first parameter counts, and only
// when it matches exactly (letter case included), so one switch at most applies.
struct CommandLineOptions {
  bool reset = false; // "-reset": forget the per-desktop icon layouts and wallpapers
  int imageScale = 1; // "-2" or "-4": divisor of the desktop pictures
};

// `parameters` excludes the program name.
CommandLineOptions ParseCommandLine(const std::vector<std::string> &parameters);

// The side files that "-reset" deletes, in the order they are deleted.
std::vector<std::string> ResetSideFileNames();

// Deletes the side files from `appDataPath`; missing files are skipped and a
// failed deletion is ignored. Returns how many files were deleted.
int DeleteSideFiles(const std::filesystem::path &appDataPath);

} // namespace qv
