// The browser's build draws SDL_gfx's filled circles from these spans: they must light SDL_gfx's
// very pixels.
#include "../../web/WebShapes.h"
#include "support/Headless.h"

#include <SDL_gfxPrimitives.h>

TEST(WebShapesTest, DiscsLightSdlGfxsPixels) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  for (int radius = 0; radius <= 40; ++radius) {
    SurfacePtr canvas(SDL_CreateRGBSurface(SDL_SWSURFACE, 100, 100, 16, 0xF800, 0x07E0, 0x001F, 0));
    filledCircleRGBA(canvas.get(), 50, 50, static_cast<Sint16>(radius), 255, 255, 255, 255);
    const std::vector<int> widths = HalfWidths(radius);
    for (int y = 0; y < 100; ++y) {
      const auto* row = reinterpret_cast<const uint16_t*>(static_cast<uint8_t*>(canvas->pixels) + y * canvas->pitch);
      for (int x = 0; x < 100; ++x) {
        const int dy = std::abs(y - 50);
        const bool inside = dy <= radius && std::abs(x - 50) <= widths[dy];
        ASSERT_EQ(row[x] != 0, inside) << "radius " << radius << " at " << x - 50 << "," << y - 50;
      }
    }
  }
  SDL_Quit();
}
