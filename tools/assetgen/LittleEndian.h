#pragma once
// Appending the little-endian fields of BMP and WAV headers.

#include <cstdint>
#include <vector>

namespace assetgen {

inline void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(value & 0xFF);
  out.push_back((value >> 8) & 0xFF);
}

inline void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace assetgen
