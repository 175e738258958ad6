#pragma once
#include <filesystem>

namespace qv {

// Where the side files live and how far desktop pictures are scaled down.
class TSystemProperties {
public:
  // Creates the application-data folder (parents included) when missing.
  explicit TSystemProperties(int imageScale);

  // "<roaming application data>\Quadrivista Labs\Quadrivista\".
  std::filesystem::path AppDataPath;
  // The same folder under the local (per-machine) application data, for
  // what only makes sense on this machine.
  std::filesystem::path LocalAppDataPath;
  int ImageScale = 1;

  static std::filesystem::path DefaultAppDataPath();
  static std::filesystem::path DefaultLocalAppDataPath();
};

// The folder of the running executable (language files lie beside it).
std::filesystem::path ExecutableFolder();

} // namespace qv
