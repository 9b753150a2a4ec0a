#include "shell/InputEvents.h"

#include "media/LibPresent.h"
#include "media/LibSound.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

namespace {

// The keys down now, by SDL's key code (a few at a time; the page's SDL numbers keys far apart).
std::vector<SDLKey> HeldKeys;

// Shift, Ctrl, Alt, the system keys and the locks: only ever held with other keys.
constexpr SDLKey Modifiers[] = {SDLK_LSHIFT, SDLK_RSHIFT,  SDLK_LCTRL,   SDLK_RCTRL,    SDLK_LALT,
                                SDLK_RALT,   SDLK_LMETA,   SDLK_RMETA,   SDLK_LSUPER,   SDLK_RSUPER,
                                SDLK_MODE,   SDLK_COMPOSE, SDLK_NUMLOCK, SDLK_CAPSLOCK, SDLK_SCROLLOCK};

// The keys named for the screens; the keypad's stand for the main ones where they have a meaning.
constexpr std::pair<SDLKey, TKeyName> KeyNames[] = {
    {SDLK_UP, TKeyName::Up},         {SDLK_KP8, TKeyName::Up},
    {SDLK_DOWN, TKeyName::Down},     {SDLK_KP2, TKeyName::Down},
    {SDLK_LEFT, TKeyName::Left},     {SDLK_KP4, TKeyName::Left},
    {SDLK_RIGHT, TKeyName::Right},   {SDLK_KP6, TKeyName::Right},
    {SDLK_KP7, TKeyName::UpLeft},    {SDLK_KP9, TKeyName::UpRight},
    {SDLK_KP1, TKeyName::DownLeft},  {SDLK_KP3, TKeyName::DownRight},
    {SDLK_RETURN, TKeyName::Enter},  {SDLK_KP_ENTER, TKeyName::Enter},
    {SDLK_SPACE, TKeyName::Space},   {SDLK_BACKSPACE, TKeyName::Backspace},
    {SDLK_ESCAPE, TKeyName::Escape}, {SDLK_PAUSE, TKeyName::Pause}};

// What a key means to the screens; none for a modifier.
std::optional<TKey> KeyMeaning(SDLKey key) {
  if (std::find(std::begin(Modifiers), std::end(Modifiers), key) != std::end(Modifiers)) return std::nullopt;
  if (key >= SDLK_a && key <= SDLK_z) return TKey{TKeyName::Letter, static_cast<char>('a' + (key - SDLK_a))};
  const auto* named =
      std::find_if(std::begin(KeyNames), std::end(KeyNames), [key](const auto& name) { return name.first == key; });
  return TKey{named == std::end(KeyNames) ? TKeyName::Other : named->second};
}

// The keys of the whole program are taken here; the others go to the current screen.
void PassKeyCode(TGame& game, SDLKey code, bool down) {
  // A repeat of a key held, or the release of a key pressed before the game saw it.
  const auto held = std::find(HeldKeys.begin(), HeldKeys.end(), code);
  if (down == (held != HeldKeys.end())) return;
  if (down) {
    HeldKeys.push_back(code);
  } else {
    HeldKeys.erase(held);
  }
  const std::optional<TKey> key = KeyMeaning(code);
  if (!key) return;
  if (key->Is('m') && !game.TakesLetters()) {
    if (down) ToggleMute();
    return;
  }
  if (down) {
    game.KeyDown(*key);
  } else {
    game.KeyUp(*key);
  }
}

}  // namespace

void PassMotion(TGame& game, const SDL_MouseMotionEvent& event) {
  if (event.which != TouchDevice) game.ShowPointer(true);
  const TPoint at = ScreenPoint(event.x, event.y);
  game.MouseMove(at.X, at.Y);
}

void PassButton(TGame& game, const SDL_MouseButtonEvent& event) {
  if (event.button != SDL_BUTTON_LEFT) return;
  const TPoint at = ScreenPoint(event.x, event.y);
  const bool down = event.type == SDL_MOUSEBUTTONDOWN;
  if (down && event.which == TouchDevice) {
    game.ShowPointer(false);
    game.MouseMove(at.X, at.Y);
  }
  // The one read of SDL's state: a button event carries no modifiers.
  const SDLMod held = SDL_GetModState();
  game.MouseButton({down, at.X, at.Y, (held & KMOD_LCTRL) != 0, (held & KMOD_LSHIFT) != 0});
}

void PassKey(TGame& game, const SDL_KeyboardEvent& event) {
  PassKeyCode(game, event.keysym.sym, event.type == SDL_KEYDOWN);
}

void LetGoOfKeys(TGame& game) {
  while (!HeldKeys.empty()) PassKeyCode(game, HeldKeys.back(), false);
}
