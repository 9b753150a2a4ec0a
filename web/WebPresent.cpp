// The browser's presenter. Screen is a picture in memory like the desktop's; each frame hands the
// page's display (Module.putBand) only the rows that changed, as 8-bit RGBA widened as the desktop's
// window widens 5-6-5, and the display shows that band on the visible canvas. A frame that changed
// nothing costs the page nothing. Fullscreen and the window's size are the browser's
// own business, and the page's listeners give pointer positions in the picture's pixels already.

#include "media/LibPresent.h"

#include "WebSurface.h"
#include "media/LibChanges.h"

#include <emscripten.h>

#include <vector>

SDL_Surface* Screen = nullptr;

namespace {

std::vector<uint8_t> Shown;
std::vector<uint8_t> Band;  // the band's RGBA bytes
bool ShowWhole = true;

EM_JS(void, PutBand, (const uint8_t* rgba, int x, int y, int w, int h), {
  const band = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4), w, h);
  Module['putBand'](band, x, y);
});

// The page counts the frames that changed its picture (the frame driver rests after one that did
// not), and notes when the first came, for its measurements.
EM_JS(void, CountFrame, (), {
  Module['frames'] = (Module['frames'] || 0) + 1;
  Module['firstFrame'] = Module['firstFrame'] || performance.now();
});

void Hand(const SDL_Rect& band) {
  Band.resize(static_cast<size_t>(band.w) * band.h * 4);
  uint8_t* out = Band.data();
  for (int y = band.y; y < band.y + band.h; ++y) {
    const uint16_t* row = PixelAt(*Screen, band.x, y);
    for (int x = 0; x < band.w; ++x, out += 4) {
      out[0] = uint8_t(row[x] >> 11 << 3);
      out[1] = uint8_t((row[x] >> 5 & 63) << 2);
      out[2] = uint8_t((row[x] & 31) << 3);
      out[3] = 255;
    }
  }
  PutBand(Band.data(), band.x, band.y, band.w, band.h);
}

}  // namespace

void InitGraphics(int width, int height, const char*) {
  Screen = CreatePicture(width, height);
  EM_ASM({ Module['listenToPlayer']($0, $1); }, width, height);
  ShowSystemPointer(false);
}

void ToggleFullscreen() {}

void ShowSystemPointer(bool shown) {
  EM_ASM({ Module['canvas'].style.cursor = $0 ? 'default' : 'none'; }, shown);
}

void ResizeWindow(int, int) {}

TPoint ScreenPoint(int x, int y) { return {x, y}; }

void PresentScreen(SDL_Surface* screen) {
  const std::vector<SDL_Rect> bands = ChangedBands(*screen, Shown, ShowWhole);
  ShowWhole = false;
  for (const SDL_Rect& band : bands) Hand(band);
  if (!bands.empty()) CountFrame();
}

void PresentWholeScreenNext() { ShowWhole = true; }
