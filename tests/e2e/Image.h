#pragma once
// What the player sees, as plain 24-bit pixels: grabs of the game's window and the game's own
// pictures. Screenshots are written as PNG for a person to look at when a journey fails.

#include "support/Headless.h"

#include <filesystem>
#include <vector>

struct Box {
  int X, Y, W, H;
};

struct Image {
  int W = 0;
  int H = 0;
  std::vector<Rgb> Pixels;  // row-major

  Image() = default;
  Image(int w, int h) : W(w), H(h), Pixels(static_cast<size_t>(w) * h) {}
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }
  Rgb At(int x, int y) const { return Pixels[static_cast<size_t>(y) * W + x]; }
  Rgb& At(int x, int y) { return Pixels[static_cast<size_t>(y) * W + x]; }
};

// True when every pixel of the box is the same in both images (both must hold the box).
bool SameInBox(const Image& a, const Image& b, Box box);

// The two colours look the same once each has passed through the game's 16-bit 5-6-5 screen,
// which keeps the top 5, 6 and 5 bits of red, green and blue.
bool SameOnScreen(Rgb a, Rgb b);

// Writes an 8-bit RGB PNG; throws std::runtime_error when the file cannot be written.
void WritePng(const std::filesystem::path& file, const Image& image);
