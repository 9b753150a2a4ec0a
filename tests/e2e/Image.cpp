#include "e2e/Image.h"

#include <zlib.h>

#include <fstream>
#include <stdexcept>
#include <string>

namespace {

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// One PNG chunk: length, type, data, and the CRC of type and data.
void WriteChunk(std::ofstream& out, const char (&type)[5], const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes;
  PutBigEndian(bytes, static_cast<uint32_t>(data.size()));
  bytes.insert(bytes.end(), type, type + 4);
  bytes.insert(bytes.end(), data.begin(), data.end());
  PutBigEndian(bytes, static_cast<uint32_t>(crc32(0, bytes.data() + 4, static_cast<uInt>(bytes.size() - 4))));
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Rows of filter byte 0 (none) followed by the row's RGB triples, deflated.
std::vector<uint8_t> CompressedRows(const Image& image) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(image.W * 3 + 1) * image.H);
  for (int y = 0; y < image.H; ++y) {
    raw.push_back(0);
    for (int x = 0; x < image.W; ++x) {
      const Rgb c = image.At(x, y);
      raw.insert(raw.end(), {c.R, c.G, c.B});
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(size);
  if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_SPEED) != Z_OK) {
    throw std::runtime_error("cannot compress a screenshot");
  }
  packed.resize(size);
  return packed;
}

}  // namespace

bool SameInBox(const Image& a, const Image& b, Box box) {
  for (int y = box.Y; y < box.Y + box.H; ++y) {
    for (int x = box.X; x < box.X + box.W; ++x) {
      if (!a.Contains(x, y) || !b.Contains(x, y) || !(a.At(x, y) == b.At(x, y))) return false;
    }
  }
  return true;
}

bool SameOnScreen(Rgb a, Rgb b) {
  return (a.R >> 3) == (b.R >> 3) && (a.G >> 2) == (b.G >> 2) && (a.B >> 3) == (b.B >> 3);
}

void WritePng(const std::filesystem::path& file, const Image& image) {
  std::ofstream out(file, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write " + file.string());
  out.write("\x89PNG\r\n\x1a\n", 8);
  std::vector<uint8_t> header;
  PutBigEndian(header, static_cast<uint32_t>(image.W));
  PutBigEndian(header, static_cast<uint32_t>(image.H));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits per channel, RGB, no interlace
  WriteChunk(out, "IHDR", header);
  WriteChunk(out, "IDAT", CompressedRows(image));
  WriteChunk(out, "IEND", {});
}
