#pragma once
// Screen modules and their controller. Exactly one module is current; a module never switches
// screens itself but reports to its controller, which may free it inside that report. So a report
// is always the last statement of a module's operation: `Game.ModuleFinished(this); return;`.

#include <cstdint>
#include <memory>

class TGame;

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
  // The left button went down (pressed) or up at (x, y).
  virtual void MouseButton(bool /*pressed*/, int /*x*/, int /*y*/) {}
  // The pointer moved to (x, y): kept in MouseX and MouseY, then PointerMoved.
  void MouseMove(int x, int y) {
    MouseX = x;
    MouseY = y;
    PointerMoved();
  }
  // Draws the module's picture into Screen; once per frame after Update.
  virtual void Draw() {}

  TGame& GetGame() const { return Game; }
  bool IsLoaded() const { return Loaded; }

 protected:
  // The module's own reaction to a pointer motion, with MouseX and MouseY already updated.
  virtual void PointerMoved() {}

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
  void MouseButton(bool pressed, int x, int y) { CurrentModule->MouseButton(pressed, x, y); }
  void MouseMove(int x, int y) { CurrentModule->MouseMove(x, y); }
  void Draw() { CurrentModule->Draw(); }

  bool IsQuitRequested() const { return QuitRequested; }
  TModule* GetCurrentModule() const { return CurrentModule; }

 protected:
  bool QuitRequested = false;
  TModule* CurrentModule = nullptr;
};
