#pragma once
// Screen modules and their controller. Exactly one module is current; a module never switches
// screens itself but reports to its controller, which may free it inside that report. So a report
// is always the last statement of a module's operation: `Game.ModuleFinished(this); return;`.

#include "media/MediaHandles.h"

#include <cstdint>
#include <memory>

class TGame;

// A key as the screens understand it: what it means here, and for a letter key which letter (in
// lower case, as the name keyboard gives it). The event pump translates the platform's keys: the
// keypad's arrows and Enter are the main keys' ones, its 7, 9, 1 and 3 the diagonals.
enum class TKeyName {
  Other,
  Up,
  Down,
  Left,
  Right,
  UpLeft,
  UpRight,
  DownLeft,
  DownRight,
  Enter,
  Space,
  Backspace,
  Escape,
  Pause,
  Letter
};
struct TKey {
  TKeyName Name = TKeyName::Other;
  char Letter = 0;  // 'a' to 'z' when Name is Letter, else 0
  bool Is(char letter) const { return Name == TKeyName::Letter && Letter == letter; }
};

// The left button went down or up at (X, Y) in Screen's pixels, a mouse's or a finger's, with the
// left Ctrl and Shift keys as they were held then (the puzzle's two extra keys).
struct TButton {
  bool Down = false;
  int X = 0;
  int Y = 0;
  bool Ctrl = false;
  bool Shift = false;
};

class TModule {
 public:
  explicit TModule(TGame& game) : Game(game) {}
  virtual ~TModule() = default;
  TModule(const TModule&) = delete;
  TModule& operator=(const TModule&) = delete;

  // Acquires sprites and sounds and sets the start state; called by SetModule while Loaded is false.
  // The base version sets Loaded, so a module that calls it is loaded once in its life.
  virtual void Load() { Loaded = true; }
  // Called when a loaded module is freed (ModuleDeleter).
  virtual void Unload() {}
  // One logic tick, once per frame after the frame's events.
  virtual void Update() {}
  // The left button went down or up; a finger's press comes after a motion to its point.
  virtual void MouseButton(const TButton& /*button*/) {}
  // The pointer moved to (x, y): kept in MouseX and MouseY, then PointerMoved.
  void MouseMove(int x, int y) {
    MouseX = x;
    MouseY = y;
    PointerMoved();
  }
  // A key went down or up; between the frame's ticks like the pointer's events. Modifier keys, the
  // keys of the whole program (mute, unless the screen TakesLetters) and the repeats of a key held
  // down never arrive here.
  virtual void KeyDown(TKey /*key*/) {}
  virtual void KeyUp(TKey /*key*/) {}
  // True while the screen takes typed letters, so that no letter is a key of the whole program.
  virtual bool TakesLetters() const { return false; }
  // The window was minimised or hidden; called again each frame while it stays so.
  virtual void WindowHidden() {}
  // Draws the module's picture into Screen; once per frame after Update.
  virtual void Draw() {}

  TGame& GetGame() const { return Game; }
  bool IsLoaded() const { return Loaded; }

 protected:
  // The module's own reaction to a pointer motion, with MouseX and MouseY already updated.
  virtual void PointerMoved() {}
  // The hand at the pointer, unless the player plays by touch (nothing hovers under a finger).
  void DrawHand(const SurfacePtr& hand) const;

  TGame& Game;  // not owned
  // Where the pointer was last seen: the screens draw the hand there and judge most presses by it.
  int32_t MouseX = 0;
  int32_t MouseY = 0;

 private:
  bool Loaded = false;
};

// Frees a module as the framework promises: Unload first, exactly once, when it was loaded.
struct ModuleDeleter {
  void operator()(TModule* module) const {
    if (module->IsLoaded()) module->Unload();
    delete module;
  }
};
template <class Module>
using OwnedModule = std::unique_ptr<Module, ModuleDeleter>;

class TGame {
 public:
  TGame() = default;
  virtual ~TGame() = default;
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  // Creates the first module and makes it current.
  virtual void Start() = 0;
  // Asks the main loop to end after the current frame; frees nothing.
  virtual void RequestQuit(int /*code*/) { QuitRequested = true; }
  // A module reports that its screen is done; the controller may free it during the call.
  virtual void ModuleFinished(TModule* /*module*/) {}
  // A module reports the player's choice; the controller may free it during the call.
  virtual void ModuleChoice(TModule* /*module*/, int /*code*/) {}

  // Makes module current (not owned through this call): loads it unless it is loaded, then tells
  // it where the pointer is, before its first tick or drawing.
  void SetModule(TModule* module);

  // Forwarded to the current module; only valid once Start has made one current.
  void Update() { CurrentModule->Update(); }
  void MouseButton(const TButton& button) { CurrentModule->MouseButton(button); }
  void MouseMove(int x, int y) { CurrentModule->MouseMove(x, y); }
  void KeyDown(TKey key) { CurrentModule->KeyDown(key); }
  void KeyUp(TKey key) { CurrentModule->KeyUp(key); }
  bool TakesLetters() const { return CurrentModule->TakesLetters(); }
  void WindowHidden() { CurrentModule->WindowHidden(); }
  // The current module's picture; the controller may draw over it what belongs to every screen.
  virtual void Draw() { CurrentModule->Draw(); }

  bool IsQuitRequested() const { return QuitRequested; }
  TModule* GetCurrentModule() const { return CurrentModule; }
  // Whether the screens draw the hand: the event pump hides it while the player uses touch.
  bool IsPointerShown() const { return PointerShown; }
  void ShowPointer(bool shown) { PointerShown = shown; }

 protected:
  bool QuitRequested = false;
  bool PointerShown = true;
  TModule* CurrentModule = nullptr;
};
