#include "DatFile.h"

#include "media/LibFiles.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace assetgen {

void WriteDat(const std::filesystem::path& path, std::vector<uint8_t> plain) {
  Descramble(plain.data(), static_cast<int32_t>(plain.size()));
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(plain.data()), static_cast<std::streamsize>(plain.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::string> ReadAssetList(const std::filesystem::path& list) {
  std::ifstream file(list);
  if (!file) throw std::runtime_error("cannot read " + list.string());
  std::vector<std::string> paths;
  for (std::string line; std::getline(file, line);) {
    std::string path;
    if (!line.starts_with('#') && std::istringstream(line) >> path) paths.push_back(path);
  }
  return paths;
}

void WriteAssetFiles(const std::filesystem::path& game, const std::map<std::string, std::vector<uint8_t>>& files,
                     const std::vector<std::string>& listed) {
  for (const std::string& path : listed) {
    if (!files.contains(path)) throw std::runtime_error("nothing makes the listed asset file " + path);
  }
  for (const auto& [path, plain] : files) {
    if (std::ranges::find(listed, path) == listed.end())
      throw std::runtime_error("the asset list does not name " + path);
  }
  for (const auto& [path, plain] : files) WriteDat(game / path, plain);
}

}  // namespace assetgen
