#include "DatFile.h"

#include "media/LibFiles.h"

#include <fstream>
#include <stdexcept>

namespace assetgen {

void WriteDat(const std::filesystem::path& path, std::vector<uint8_t> plain) {
  Descramble(plain.data(), static_cast<int32_t>(plain.size()));
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(plain.data()), static_cast<std::streamsize>(plain.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace assetgen
