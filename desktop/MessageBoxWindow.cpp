#include "desktop/MessageBoxWindow.h"

#include "desktop/LibWindow.h"
#include "media/LibMessageBox.h"
#include "media/LibPresent.h"

#include <cstring>

namespace {

bool Inside(const SDL_Rect& rect, TPoint point) {
  const auto [x, y] = point;
  return x >= rect.x && x < rect.x + rect.w && y >= rect.y && y < rect.y + rect.h;
}

}  // namespace

bool ClosesMessageBox(const SDL_Event& event, const SDL_Rect& okButton) {
  switch (event.type) {
    case SDL_QUIT: return true;
    case SDL_KEYDOWN: {
      const SDLKey key = event.key.keysym.sym;
      return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_ESCAPE;
    }
    case SDL_MOUSEBUTTONDOWN:
      return event.button.button == SDL_BUTTON_LEFT && Inside(okButton, ScreenPoint(event.button.x, event.button.y));
    default: return false;
  }
}

void RunMessageBox(const std::string& title, const std::string& text) {
  const SDL_Rect ok = DrawMessageBox(title, text);
  ShowSystemPointer(true);
  SDL_Event event;
  do {
    PresentWholeScreenNext();  // the window may be scaled, so the box is shown the way frames are
    PresentScreen(Screen);
    if (SDL_WaitEvent(&event) == 0) return;
  } while (!ClosesMessageBox(event, ok));
}

void ShowMessageBox(const std::string& title, const std::string& text) {
  char driver[32] = "";
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0 || SDL_VideoDriverName(driver, sizeof driver) == nullptr) return;
  if (std::strcmp(driver, "dummy") == 0) return;
  const TSize size = MessageBoxSize(title, text);
  if (SDL_GetVideoSurface() == nullptr && !OpenWindow(size.W, size.H, title.c_str())) return;
  RunMessageBox(title, text);
}
