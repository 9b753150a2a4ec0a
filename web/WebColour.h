#pragma once
// The browser's surfaces hold 8 bits a channel, the desktop's Screen 5-6-5. Every colour that reaches
// a surface here is first cut to 5-6-5 and widened back as the desktop's window widens it, so a
// canvas pixel equals the desktop's pixel for the same drawing.

#include <cstdint>

struct TWebColour {
  uint8_t R, G, B;
};

// 5 bits of red and blue, 6 of green, shifted back into the top of each byte.
constexpr TWebColour Reduce565(uint8_t r, uint8_t g, uint8_t b) {
  return {static_cast<uint8_t>(r & 0xF8), static_cast<uint8_t>(g & 0xFC), static_cast<uint8_t>(b & 0xF8)};
}

// An opaque pixel of the browser's surfaces (bytes R, G, B, A in memory).
constexpr uint32_t WebPixel(TWebColour c) { return c.R | uint32_t{c.G} << 8 | uint32_t{c.B} << 16 | 0xFF000000u; }
