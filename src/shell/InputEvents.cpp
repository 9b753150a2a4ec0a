#include "shell/InputEvents.h"

#include "media/LibPresent.h"
#include "media/LibSound.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <optional>

namespace {

// The keys down now, by SDL's key code.
std::array<bool, SDLK_LAST> HeldKeys{};

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

// What a key means to the screens; the modifiers, locks included, are only ever held with other keys.
std::optional<TKey> KeyMeaning(SDLKey key) {
  if (key >= SDLK_NUMLOCK && key <= SDLK_COMPOSE) return std::nullopt;
  if (key >= SDLK_a && key <= SDLK_z) return TKey{TKeyName::Letter, static_cast<char>('a' + (key - SDLK_a))};
  const auto* named = std::ranges::find(KeyNames, key, &std::pair<SDLKey, TKeyName>::first);
  return TKey{named == std::end(KeyNames) ? TKeyName::Other : named->second};
}

// The keys of the whole program are taken here; the others go to the current screen.
void PassKeyCode(TGame& game, SDLKey code, bool down) {
  // A repeat of a key held, or the release of a key pressed before the game saw it.
  if (static_cast<unsigned>(code) >= SDLK_LAST || down == HeldKeys[code]) return;
  HeldKeys[code] = down;
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
  for (int code = 0; code < SDLK_LAST; ++code) PassKeyCode(game, static_cast<SDLKey>(code), false);
}
