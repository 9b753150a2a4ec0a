#pragma once
// The top of the program: the controller with its table of screen changes, the frame loop and
// the program entry.

#include "media/MediaHandles.h"
#include "shell/LibGame.h"

#include "media/SdlCalls.h"

class TMenuModule;

// The one controller. The menu is created once, when the intro ends, and lives until the end;
// every other module lives only while it is current.
class THalloween : public TGame {
 public:
  THalloween();
  ~THalloween() override;

  void Start() override;
  // Only code 0 ends the program.
  void RequestQuit(int code) override;
  void ModuleFinished(TModule* module) override;
  void ModuleChoice(TModule* module, int code) override;
  // The current screen, with the sign in its corner while the sound is off.
  void Draw() override;

 private:
  // Makes a new module current and frees the one that was (the reporter, when not the menu),
  // in that order: the reporter is still on the call stack but is never touched again.
  void Enter(OwnedModule<TModule> module);
  void ReturnToMenu();

  OwnedModule<TMenuModule> MenuModule;
  OwnedModule<TModule> Visiting;  // the current module whenever it is not the menu
  SurfacePtr MuteSign;
};

// Pause between a frame's tick and its drawing, the game's only pacing.
constexpr Uint32 FrameDelayMs = 10;

// Hands every waiting window event to the controller, in arrival order, the mouse, touch and keys
// through InputEvents; a request to repaint the window, its new size and the fullscreen keys (F11,
// Alt+Enter) go to the presenter instead. After a SIGHUP or SIGQUIT a close request follows them. A
// minimised or hidden window is told to the controller once a frame; a window that loses the
// keyboard lets go of the keys held.
void PumpEvents(TGame& game);
// One frame: events, Update, pause of delayMs, black clear, Draw, and the changes presented. The
// page may run more than one tick (events and Update) before its one picture, to keep the desktop's
// pace with fewer wake-ups. Tests pass 0.
void RunFrame(TGame& game, Uint32 delayMs, int ticks = 1);
// The program in three steps, so that one frame function serves two drivers: the desktop's loop
// (RunProgram) and the browser's frame callbacks. SIGHUP and SIGQUIT end the program as the close
// request does; SIGPIPE is ignored. A fatal failure, whatever was thrown, is reported where it
// happens and ends the program with exit code 1.
// Makes the player's folder current (see UserFolder), opens the window and the mixer and starts
// the controller; false after a fatal failure.
bool StartProgram();
// One frame with that pause and that many ticks (see RunFrame); false once the program is to end: a
// quit requested, or a fatal failure.
bool ProgramFrame(Uint32 delayMs, int ticks = 1);
// Frees the screens, leaves the player's folder and shuts the media library down; the exit code.
int EndProgram();
// The whole program on the desktop: frames with the game's pause until the end; its exit code.
int RunProgram();
