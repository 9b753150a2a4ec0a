// The page's stand-in for SDL 1.2's event queue and input state (SdlCalls.h). The page's listeners
// (input.js) push what the player does, already in the picture's pixels: the mouse as SDL's mouse,
// a finger as the mouse of the touch device (TouchPointer), keys by SDL 1.2's names, the page hidden
// or shown as the window's activation. Like SDL's, the pointer's place and the modifiers are those of
// the events taken so far, and the activation is the page's at the moment.

#include "media/SdlCalls.h"

#include <emscripten.h>

#include <deque>

namespace {

enum class TPageEvent { Motion, Press, Release, KeyDown, KeyUp, Shown };

struct TWaiting {
  SDL_Event Event;
  SDLMod Modifiers;
};

std::deque<TWaiting> Waiting;
SDLMod Modifiers = KMOD_NONE;
int PointerX = 0, PointerY = 0;
bool Pressed = false;
bool Visible = true;

// Shift, Ctrl, Alt and Meta as the page gives them (bits 1, 2, 4, 8).
SDLMod ModifiersOf(int held) {
  int mod = KMOD_NONE;
  if (held & 1) mod |= KMOD_LSHIFT;
  if (held & 2) mod |= KMOD_LCTRL;
  if (held & 4) mod |= KMOD_LALT;
  if (held & 8) mod |= KMOD_LMETA;
  return static_cast<SDLMod>(mod);
}

// A key by the browser's key code and location (3: the keypad, 2: the right-hand one) as SDL 1.2
// names it on the desktop, where the keypad's keys keep their names whatever Num Lock says.
SDLKey KeyOf(int code, int location) {
  const bool keypad = location == 3, right = location == 2;
  if (code >= 'A' && code <= 'Z') return static_cast<SDLKey>(SDLK_a + (code - 'A'));
  if (code >= '0' && code <= '9') return static_cast<SDLKey>(SDLK_0 + (code - '0'));
  if (code >= 112 && code <= 123) return static_cast<SDLKey>(SDLK_F1 + (code - 112));
  constexpr SDLKey Digits[] = {SDLK_KP0, SDLK_KP1, SDLK_KP2, SDLK_KP3, SDLK_KP4,
                               SDLK_KP5, SDLK_KP6, SDLK_KP7, SDLK_KP8, SDLK_KP9};
  if (code >= 96 && code <= 105) return Digits[code - 96];
  switch (code) {
    case 13: return keypad ? SDLK_KP_ENTER : SDLK_RETURN;
    case 37: return keypad ? SDLK_KP4 : SDLK_LEFT;
    case 38: return keypad ? SDLK_KP8 : SDLK_UP;
    case 39: return keypad ? SDLK_KP6 : SDLK_RIGHT;
    case 40: return keypad ? SDLK_KP2 : SDLK_DOWN;
    case 36: return keypad ? SDLK_KP7 : SDLK_HOME;
    case 33: return keypad ? SDLK_KP9 : SDLK_PAGEUP;
    case 35: return keypad ? SDLK_KP1 : SDLK_END;
    case 34: return keypad ? SDLK_KP3 : SDLK_PAGEDOWN;
    case 12: return SDLK_KP5;
    case 32: return SDLK_SPACE;
    case 8: return SDLK_BACKSPACE;
    case 9: return SDLK_TAB;
    case 27: return SDLK_ESCAPE;
    case 19: return SDLK_PAUSE;
    case 16: return right ? SDLK_RSHIFT : SDLK_LSHIFT;
    case 17: return right ? SDLK_RCTRL : SDLK_LCTRL;
    case 18: return right ? SDLK_RALT : SDLK_LALT;
    case 91:
    case 224: return right ? SDLK_RMETA : SDLK_LMETA;
    case 92: return SDLK_RMETA;
    case 20: return SDLK_CAPSLOCK;
    case 144: return SDLK_NUMLOCK;
    case 145: return SDLK_SCROLLOCK;
    default: return SDLK_UNKNOWN;
  }
}

SDL_Event EventOf(TPageEvent kind, int a, int b, int c, SDLMod modifiers) {
  SDL_Event event{};
  switch (kind) {
    case TPageEvent::Motion:
      event.type = SDL_MOUSEMOTION;
      event.motion.which = a, event.motion.x = b, event.motion.y = c;
      break;
    case TPageEvent::Press:
    case TPageEvent::Release:
      event.type = kind == TPageEvent::Press ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      event.button.which = a, event.button.button = SDL_BUTTON_LEFT, event.button.x = b, event.button.y = c;
      event.button.state = kind == TPageEvent::Press ? SDL_PRESSED : SDL_RELEASED;
      break;
    case TPageEvent::KeyDown:
    case TPageEvent::KeyUp:
      event.type = kind == TPageEvent::KeyDown ? SDL_KEYDOWN : SDL_KEYUP;
      event.key.state = kind == TPageEvent::KeyDown ? SDL_PRESSED : SDL_RELEASED;
      event.key.keysym.sym = KeyOf(a, b);
      event.key.keysym.mod = modifiers;
      break;
    case TPageEvent::Shown:
      event.type = SDL_ACTIVEEVENT;
      event.active.gain = static_cast<Uint8>(a);
      event.active.state = SDL_APPACTIVE;
      break;
  }
  return event;
}

}  // namespace

extern "C" {

// From input.js: what happened, its three numbers (pointer: device, x, y; key: code, location;
// shown: 1 or 0) and the modifiers held.
EMSCRIPTEN_KEEPALIVE void PushPageEvent(int kind, int a, int b, int c, int held) {
  const auto page = static_cast<TPageEvent>(kind);
  if (page == TPageEvent::Shown) Visible = a != 0;
  const SDLMod modifiers = ModifiersOf(held);
  Waiting.push_back({EventOf(page, a, b, c, modifiers), modifiers});
}

int SDL_PollEvent(SDL_Event* event) {
  if (Waiting.empty()) return 0;
  if (event == nullptr) return 1;
  const auto [next, modifiers] = Waiting.front();
  Waiting.pop_front();
  *event = next;
  Modifiers = modifiers;
  if (next.type == SDL_MOUSEMOTION) PointerX = next.motion.x, PointerY = next.motion.y;
  if (next.type == SDL_MOUSEBUTTONDOWN || next.type == SDL_MOUSEBUTTONUP) {
    PointerX = next.button.x, PointerY = next.button.y;
    Pressed = next.type == SDL_MOUSEBUTTONDOWN;
  }
  return 1;
}

Uint8 SDL_GetAppState() { return Visible ? SDL_APPACTIVE | SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS : 0; }

Uint8 SDL_GetMouseState(int* x, int* y) {
  if (x != nullptr) *x = PointerX;
  if (y != nullptr) *y = PointerY;
  return Pressed ? SDL_BUTTON(SDL_BUTTON_LEFT) : 0;
}

SDLMod SDL_GetModState() { return Modifiers; }

}  // extern "C"
