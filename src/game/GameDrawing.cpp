#include "game/GameDrawing.h"

#include "game/GameLayout.h"
#include "media/LibGraphics.h"

#include "media/SdlCalls.h"

namespace {

constexpr int HudNumberX = 64;
constexpr int HudNumberRise = 10;  // numbers' top edge above their icon's centre

constexpr int TimerLeft = 240, TimerTop = 461, TimerRight = 493, TimerBottom = 472;
constexpr int TimerBarInset = 2;
constexpr int TimerBarHeight = 8;
constexpr int TicksPerBarPixel = 4;

constexpr int HintRadius = 33;
constexpr int DiscRadius = 30;
constexpr int RingInnerRadius = 25;
constexpr int CursorReach = 31;  // just outside the disc, short of the next one
constexpr int CursorThickness = 3;

struct TColour {
  Uint8 R, G, B;
};
constexpr TColour White{255, 255, 255};
constexpr TColour Yellow{255, 255, 0};
constexpr TColour Brown{125, 95, 25};
constexpr TColour Orange{255, 128, 0};
constexpr Uint8 Opaque = 255;

void Disc(int x, int y, int radius, TColour colour) {
  filledCircleRGBA(Screen, static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Sint16>(radius), colour.R,
                   colour.G, colour.B, Opaque);
}

}  // namespace

void DrawHudIcon(const SurfacePtr& icon, int row) { DrawSpriteCentred(icon, HudIconX, HudIconY(row)); }

void DrawHudNumber(const SurfacePtr& digits, int row, int32_t value) {
  DrawNumber(digits, DigitGlyphWidth, HudNumberX, HudIconY(row) - HudNumberRise, static_cast<uint32_t>(value));
}

void DrawTimerBar(int32_t timer) {
  rectangleRGBA(Screen, TimerLeft, TimerTop, TimerRight, TimerBottom, White.R, White.G, White.B, Opaque);
  FillBox(TimerLeft + TimerBarInset, TimerTop + TimerBarInset, timer / TicksPerBarPixel, TimerBarHeight, Yellow.R,
          Yellow.G, Yellow.B);
}

void DrawTile(const TTile& tile, const SurfacePtr& picture, bool hinted, bool selected) {
  const int x = static_cast<int>(tile.X) + BoardOriginX;
  const int y = static_cast<int>(tile.Y) + BoardOriginY;
  if (hinted) Disc(x, y, HintRadius, White);
  if (selected) {
    Disc(x, y, DiscRadius, Yellow);
    Disc(x, y, RingInnerRadius, Brown);
  } else {
    Disc(x, y, DiscRadius, Brown);
  }
  DrawSpriteCentred(picture, x, y);
}

void DrawCursor(int column, int row) {
  const int x = BoardOriginX + column * static_cast<int>(CellPitch);
  const int y = BoardOriginY + row * static_cast<int>(CellPitch);
  for (int reach = CursorReach; reach > CursorReach - CursorThickness; --reach) {
    rectangleRGBA(Screen, static_cast<Sint16>(x - reach), static_cast<Sint16>(y - reach),
                  static_cast<Sint16>(x + reach), static_cast<Sint16>(y + reach), Orange.R, Orange.G, Orange.B, Opaque);
  }
}

void DrawParticles(const TParticles& particles, const SurfacePtr& star) {
  for (const TParticle& particle : particles.All()) {
    if (!particle.Active) continue;
    const int x = static_cast<int>(particle.X);
    const int y = static_cast<int>(particle.Y);
    if (particle.Shape == StarShape) {
      DrawSprite(star, x, y);
    } else {
      DrawDot(x, y, White.R, White.G, White.B);
    }
  }
}
