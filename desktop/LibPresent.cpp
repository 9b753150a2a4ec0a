#include "media/LibPresent.h"

#include "media/LibChanges.h"
#include "media/LibErrors.h"
#include "media/MediaHandles.h"
#include "media/SdlRect.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

SDL_Surface* Screen = nullptr;

namespace {

// Screen when the window does not show the picture at the picture's own size; null otherwise.
SurfacePtr Picture;
TSize PictureSize{0, 0};
TPicturePlace Place{1, {0, 0}};
TSize Display{0, 0};
TSize Window{0, 0};  // the window's size, kept while fullscreen to go back to

// The frame the window shows, row after row without the surface's row padding.
std::vector<uint8_t> Shown;
bool ShowWhole = true;

// sdl12-compat (SDL 1.2 over SDL 2, which reports itself as 1.2.50 and up) shows an update of part
// of the screen only at a later event poll, once a display refresh has passed since it last
// showed one, so the window would lag a frame behind and skip frames; an update of the whole
// screen it shows at once. It redraws the whole window for every update anyway, so handing it all
// of a changed frame costs little more.
bool ShowsPartsLate() {
  static const bool late = SDL_Linked_Version()->patch >= 50;
  return late;
}

// The window's pixel for each of the picture's 16-bit pixels. A scaled window has the display's own
// depth, so each game pixel is converted once here, where SDL would convert every pixel of its square.
std::vector<Uint32> WindowColours;
static_assert(ScreenDepth == 16);

// Each pixel of the picture's band as a Scale by Scale square of the window's target.
template <class Pixel>
void Magnify(const SDL_Surface& picture, SDL_Surface& window, const SDL_Rect& band, const SDL_Rect& target) {
  const int scale = Place.Scale;
  for (int y = 0; y < band.h; ++y) {
    const auto* from =
        reinterpret_cast<const Uint16*>(static_cast<const uint8_t*>(picture.pixels) + (band.y + y) * picture.pitch);
    uint8_t* first = static_cast<uint8_t*>(window.pixels) + (target.y + y * scale) * window.pitch;
    auto* to = reinterpret_cast<Pixel*>(first) + target.x;
    for (int x = 0; x < band.w; ++x) {
      std::fill_n(to + x * scale, scale, static_cast<Pixel>(WindowColours[from[band.x + x]]));
    }
    for (int copy = 1; copy < scale; ++copy) {
      std::memcpy(first + copy * window.pitch + target.x * sizeof(Pixel), to, target.w * sizeof(Pixel));
    }
  }
}

// The picture's own surface, 16-bit 5-6-5 like the pictures drawn into it, and the window's colours.
bool MakePicture(TSize picture, const SDL_PixelFormat& window) {
  Picture.reset(SDL_CreateRGBSurface(SDL_SWSURFACE, picture.W, picture.H, ScreenDepth, 0xF800, 0x07E0, 0x001F, 0));
  if (!Picture) return false;
  WindowColours.resize(0x10000);
  for (Uint32 pixel = 0; pixel < WindowColours.size(); ++pixel) {
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(pixel, Picture->format, &r, &g, &b);
    WindowColours[pixel] = SDL_MapRGB(&window, r, g, b);
  }
  return true;
}

// Draws the picture's bands into the window where Place puts them and makes each band the window's
// rectangle it now covers; a whole frame clears the border to black first and covers the window.
void ScaleIntoWindow(SDL_Surface& picture, SDL_Surface& window, std::vector<SDL_Rect>& bands, bool whole) {
  if (whole) SDL_FillRect(&window, nullptr, SDL_MapRGB(window.format, 0, 0, 0));
  const int scale = Place.Scale;
  SDL_Surface* const surface = &window;  // SDL_MUSTLOCK needs a plain name
  const bool lock = scale > 1 && SDL_MUSTLOCK(surface);
  if (lock && SDL_LockSurface(surface) != 0) return;
  for (SDL_Rect& band : bands) {
    SDL_Rect target =
        MakeRect(Place.Corner.X + band.x * scale, Place.Corner.Y + band.y * scale, band.w * scale, band.h * scale);
    // Scale 1 in a window smaller than the picture needs clipping, which SDL's blit does.
    if (scale == 1) SDL_BlitSurface(&picture, &band, &window, &target);
    if (scale > 1 && window.format->BytesPerPixel == 4) Magnify<Uint32>(picture, window, band, target);
    if (scale > 1 && window.format->BytesPerPixel == 2) Magnify<Uint16>(picture, window, band, target);
    band = target;
  }
  if (lock) SDL_UnlockSurface(surface);
  if (whole) bands.assign(1, MakeRect(0, 0, window.w, window.h));
}

// Fullscreen grabs the pointer on both libraries, and sdl12-compat then reports a hidden pointer's
// movements only (as SDL 1.2 did on some systems), unaccelerated and apart from where it is. So in
// fullscreen the pointer is shown with a blank picture instead. SDL frees both pictures when it
// quits, so these are only views.
SDL_Cursor* Arrow = nullptr;
SDL_Cursor* Blank = nullptr;

// Sets the mode, or else the window as it was; throws when SDL refuses both.
void SetModeOrKeepWindow(TSize size, Uint32 flags) {
  if (SetScreenMode(PictureSize, size, flags)) return;
  std::fprintf(stderr, "Cannot set video mode %dx%d: %s\n", size.W, size.H, SDL_GetError());
  if (!SetScreenMode(PictureSize, Window, SDL_RESIZABLE)) {
    throw EMediaError(std::string("Cannot set video mode: ") + SDL_GetError());
  }
}

}  // namespace

bool SetScreenMode(TSize picture, TSize window, Uint32 flags) {
  // A window of the picture's size is the picture itself; a scaled one has the display's depth (see
  // WindowColours), or 16 bits where that would be 8 or 24.
  const int depth = window == picture ? ScreenDepth : 0;
  SDL_Surface* video = SDL_SetVideoMode(window.W, window.H, depth, SDL_HWSURFACE | flags);
  if (video != nullptr && video->format->BytesPerPixel % 2 != 0) {
    video = SDL_SetVideoMode(window.W, window.H, ScreenDepth, SDL_HWSURFACE | flags);
  }
  if (video == nullptr) return false;
  PictureSize = picture;
  Place = FitPicture(picture, {video->w, video->h});
  if (TSize{video->w, video->h} == picture && video->format->BitsPerPixel == ScreenDepth) {
    Picture.reset();
    Screen = video;
  } else {
    if (!MakePicture(picture, *video->format)) return false;
    Screen = Picture.get();
  }
  if ((flags & SDL_FULLSCREEN) == 0) {
    Window = {video->w, video->h};
    // sdl12-compat keeps the pointer that fullscreen grabbed, and with it hidden reports only its
    // movements: the pointer could not leave the window again.
    SDL_WM_GrabInput(SDL_GRAB_OFF);
  }
  PresentWholeScreenNext();
  return true;
}

bool OpenGameScreen(TSize picture, TSize display) {
  Display = display;
  Arrow = Blank = nullptr;  // a new start of SDL's video
  const int scale = WindowScale(picture, display);
  return SetScreenMode(picture, {picture.W * scale, picture.H * scale}, SDL_RESIZABLE);
}

void ToggleFullscreen() {
  const SDL_Surface* video = SDL_GetVideoSurface();
  if (video == nullptr || Display.W == 0 || Display.H == 0) return;
  if ((video->flags & SDL_FULLSCREEN) != 0) {
    SetModeOrKeepWindow(Window, SDL_RESIZABLE);
  } else {
    // The display's own size: classic SDL keeps the display's mode, and sdl12-compat has nothing
    // to stretch (it would blur); the picture is scaled here.
    SetModeOrKeepWindow(Display, SDL_FULLSCREEN);
  }
  ShowSystemPointer(false);
}

void ShowSystemPointer(bool shown) {
  const SDL_Surface* video = SDL_GetVideoSurface();
  const bool blank = !shown && video != nullptr && (video->flags & SDL_FULLSCREEN) != 0;
  if (blank && Blank == nullptr) {
    static Uint8 none[8] = {};
    Arrow = SDL_GetCursor();
    Blank = SDL_CreateCursor(none, none, 8, 8, 0, 0);
  }
  if (blank || Blank != nullptr) SDL_SetCursor(blank ? Blank : Arrow);
  if (!blank && Blank != nullptr) {
    SDL_FreeCursor(Blank);
    Blank = nullptr;
  }
  SDL_ShowCursor(shown || blank ? SDL_ENABLE : SDL_DISABLE);
}

void ResizeWindow(int width, int height) {
  const SDL_Surface* video = SDL_GetVideoSurface();
  if (video == nullptr || (video->flags & SDL_FULLSCREEN) != 0 || (video->w == width && video->h == height)) return;
  // Classic SDL centres the window at every mode it sets while this is set: a window the player
  // resizes stays where the window manager holds it.
  unsetenv("SDL_VIDEO_CENTERED");
  SetModeOrKeepWindow({width, height}, SDL_RESIZABLE);
  setenv("SDL_VIDEO_CENTERED", "1", 1);
}

TPoint ScreenPoint(int x, int y) {
  return Screen == SDL_GetVideoSurface() ? TPoint{x, y} : PicturePoint(Place, PictureSize, {x, y});
}

void PresentWholeScreenNext() { ShowWhole = true; }

void PresentScreen(SDL_Surface* screen) {
  if (SDL_MUSTLOCK(screen) && SDL_LockSurface(screen) != 0) return;
  const bool whole = ShowWhole;
  std::vector<SDL_Rect> bands = ChangedBands(*screen, Shown, whole);
  if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
  SDL_Surface* window = SDL_GetVideoSurface();
  if (!bands.empty() && screen != window) ScaleIntoWindow(*screen, *window, bands, whole);
  if (!bands.empty() && ShowsPartsLate()) {
    SDL_UpdateRect(window, 0, 0, 0, 0);
  } else if (!bands.empty()) {
    SDL_UpdateRects(window, static_cast<int>(bands.size()), bands.data());
  }
  ShowWhole = false;
}
