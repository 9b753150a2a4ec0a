#include "PixelFont.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace assetgen {

namespace {

struct Strip {
  std::string Name;
  int CellWidth = 0, CellHeight = 0, GlyphX = 0, GlyphY = 0, Cells = 0;
  std::string Order;
  Rgb Top, Bottom, Outline;
  std::map<char, std::vector<std::string>> Glyphs;
};

Rgb ParseColour(const std::string& hex) {
  const auto value = std::stoul(hex, nullptr, 16);
  return {static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
}

std::vector<Strip> ParseGlyphFile(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  std::vector<Strip> strips;
  std::vector<std::string>* glyph = nullptr;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream words(line);
    std::string word;
    words >> word;
    const bool bitmapRow = !line.empty() && line.find_first_not_of(".#") == std::string::npos;
    if (bitmapRow && glyph)
      glyph->push_back(line);
    else if (word == "strip") {
      strips.emplace_back();
      Strip& s = strips.back();
      words >> s.Name >> s.CellWidth >> s.CellHeight >> s.GlyphX >> s.GlyphY;
    } else if (word.empty() || word[0] == '#')
      glyph = nullptr;
    else if (strips.empty())
      throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": no strip yet");
    else if (word == "order")
      words >> strips.back().Order;
    else if (word == "cells")
      words >> strips.back().Cells;
    else if (word == "colours") {
      std::string top, bottom, outline;
      words >> top >> bottom >> outline;
      strips.back().Top = ParseColour(top);
      strips.back().Bottom = ParseColour(bottom);
      strips.back().Outline = ParseColour(outline);
    } else if (word == "glyph" && words >> word && word.size() == 1)
      glyph = &strips.back().Glyphs[word[0]];
    else
      throw std::runtime_error(file.string() + ":" + std::to_string(number) + ": cannot read '" + line + "'");
  }
  return strips;
}

Rgb Mix(Rgb a, Rgb b, double t) {
  auto mix = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(x + (y - x) * t + 0.5); };
  return {mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B)};
}

Rgb Darker(Rgb c) {
  return {static_cast<uint8_t>(c.R / 2), static_cast<uint8_t>(c.G / 2), static_cast<uint8_t>(c.B / 2)};
}

// Paints one glyph: shadow first, then the outline ring, then the ink with its gradient.
void PaintGlyph(Picture& picture, const Strip& strip, int cell, const std::vector<std::string>& rows) {
  const int left = cell * strip.CellWidth + strip.GlyphX;
  const int height = static_cast<int>(rows.size());
  auto ink = [&](int gx, int gy) {
    return gy >= 0 && gy < height && gx >= 0 && gx < static_cast<int>(rows[gy].size()) && rows[gy][gx] == '#';
  };
  auto put = [&](int gx, int gy, Rgb colour) {
    const int x = left + gx, y = strip.GlyphY + gy;
    if (x >= cell * strip.CellWidth && x < (cell + 1) * strip.CellWidth && y >= 0 && y < picture.Height)
      picture.Pixels[static_cast<size_t>(y) * picture.Width + x] = Pack565(colour);
  };
  auto nearInk = [&](int gx, int gy) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (ink(gx + dx, gy + dy)) return true;
    return false;
  };
  const int width = static_cast<int>(rows.front().size());
  for (int gy = -1; gy <= height + 1; ++gy)
    for (int gx = -1; gx <= width + 1; ++gx)
      if (nearInk(gx - 1, gy - 1)) put(gx, gy, Darker(strip.Outline));
  for (int gy = -1; gy <= height; ++gy)
    for (int gx = -1; gx <= width; ++gx)
      if (nearInk(gx, gy)) put(gx, gy, strip.Outline);
  for (int gy = 0; gy < height; ++gy)
    for (int gx = 0; gx < static_cast<int>(rows[gy].size()); ++gx)
      if (ink(gx, gy)) put(gx, gy, Mix(strip.Top, strip.Bottom, gy / (height - 1.0)));
}

}  // namespace

std::vector<Picture> MakeGlyphStrips(const std::filesystem::path& glyphFile) {
  std::vector<Picture> pictures;
  for (const Strip& strip : ParseGlyphFile(glyphFile)) {
    Picture picture{strip.Name, strip.Cells * strip.CellWidth, strip.CellHeight, {}};
    picture.Pixels.assign(static_cast<size_t>(picture.Width) * picture.Height, KeyPixel);
    for (const auto& [character, rows] : strip.Glyphs) {
      const auto cell = strip.Order.find(character);
      if (cell == std::string::npos)
        throw std::runtime_error(glyphFile.string() + ": glyph '" + character + "' is not in the order of " +
                                 strip.Name);
      PaintGlyph(picture, strip, static_cast<int>(cell), rows);
    }
    pictures.push_back(std::move(picture));
  }
  return pictures;
}

}  // namespace assetgen
