#include "shell/BoglingsAndSkitters.h"

#include "game/GameModule.h"
#include "media/LibErrors.h"
#include "media/LibGraphics.h"
#include "media/LibMessageBox.h"
#include "media/LibPresent.h"
#include "media/LibSound.h"
#include "scores/HighScoreModule.h"
#include "screens/CreditsModule.h"
#include "screens/HelpModule.h"
#include "screens/IntroModule.h"
#include "screens/MenuModule.h"
#include "shell/InputEvents.h"
#include "shell/MuteSign.h"
#include "shell/UserFolder.h"

#include "AssetFiles.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>

namespace {

template <class Module, class... Arguments>
OwnedModule<TModule> Create(Arguments&&... arguments) {
  return OwnedModule<TModule>(new Module(std::forward<Arguments>(arguments)...));
}

template <class Module>
bool Is(TModule* module) {
  return dynamic_cast<Module*>(module) != nullptr;
}

// Set by SIGHUP (the terminal closed) and SIGQUIT, which end the game as the close request does: the
// program then ends its own way, removing what it made.
volatile std::sig_atomic_t QuitSignalled = 0;

void OnQuitSignal(int) { QuitSignalled = 1; }

// A pipe closed by the reader (standard error piped to a pager) must not end the game either.
void CatchSignals() {
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  action.sa_flags = SA_RESTART;  // a save's write or read goes on as if never interrupted
  sigaction(SIGHUP, &action, nullptr);
  sigaction(SIGQUIT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
}

// The report always reaches standard error; where a window is open it is also shown there.
void ReportFatal(const Exception& failure) {
  const std::string report = FatalReportText(failure);
  std::fprintf(stderr, "%s\n", report.c_str());
  std::fflush(stderr);
  ShowMessageBox("Application Error", report);
}

// F11, or Enter with Alt, as players of SDL games expect.
bool TogglesFullscreen(const SDL_keysym& key) {
  const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
  return key.sym == SDLK_F11 || (enter && (key.mod & KMOD_ALT) != 0);
}

}  // namespace

THalloween::THalloween() = default;
// The current visitor goes before the menu; what they still play lingers until it ends.
THalloween::~THalloween() = default;

void THalloween::Start() {
  Enter(Create<TIntroModule>(*this));
  MuteSign = LoadSprite(SpriteFile::Mute);
}

void THalloween::RequestQuit(int code) {
  if (code == 0) TGame::RequestQuit(code);
}

void THalloween::ModuleFinished(TModule* module) {
  if (Is<TIntroModule>(module)) {
    MenuModule.reset(new TMenuModule(*this));
    SetModule(MenuModule.get());
    Visiting.reset();
  } else if (Is<TGameModule>(module) || Is<THelpModule>(module) || Is<TCreditsModule>(module) ||
             Is<THighScoreModule>(module)) {
    ReturnToMenu();
  }
}

void THalloween::ModuleChoice(TModule* module, int code) {
  if (Is<TMenuModule>(module)) {
    switch (code) {
      case ChoiceHowToPlay: Enter(Create<THelpModule>(*this)); break;
      case ChoiceNewGame: Enter(Create<TGameModule>(*this)); break;
      case ChoiceHighScores: Enter(Create<THighScoreModule>(*this, false, 0u)); break;
      case ChoiceCredits: Enter(Create<TCreditsModule>(*this)); break;
      default: break;
    }
  } else if (auto* game = dynamic_cast<TGameModule*>(module); game && code == GameOverChoice) {
    Enter(Create<THighScoreModule>(*this, true, static_cast<uint32_t>(game->GetScore())));
  }
}

void THalloween::Draw() {
  TGame::Draw();
  if (IsMuted()) DrawSprite(MuteSign, MuteSignX, MuteSignY);
}

void THalloween::Enter(OwnedModule<TModule> module) {
  OwnedModule<TModule> previous = std::move(Visiting);
  Visiting = std::move(module);
  SetModule(Visiting.get());
}

void THalloween::ReturnToMenu() {
  Visiting.reset();
  SetModule(MenuModule.get());
}

void PumpEvents(TGame& game) {
  SDL_Event event;
  // Only the window's being minimised or hidden counts, not the loss of the keyboard or the pointer;
  // the last word of the frame's events, so that a window unmapped and mapped again at once (as a
  // change of the video mode may do) is not taken for hidden.
  bool hidden = false;
  while (SDL_PollEvent(&event) == 1) {
    switch (event.type) {
      case SDL_MOUSEMOTION: PassMotion(game, event.motion); break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: PassButton(game, event.button); break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:  // the fullscreen keys are the presenter's, pressed or let go
        if (!TogglesFullscreen(event.key.keysym)) {
          PassKey(game, event.key);
        } else if (event.type == SDL_KEYDOWN) {
          ToggleFullscreen();
        }
        break;
      case SDL_ACTIVEEVENT:
        if (event.active.state & SDL_APPACTIVE) hidden = !event.active.gain;
        if ((event.active.state & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) && !event.active.gain) LetGoOfKeys(game);
        break;
      case SDL_VIDEORESIZE: ResizeWindow(event.resize.w, event.resize.h); break;
      case SDL_QUIT: game.RequestQuit(0); break;
      case SDL_VIDEOEXPOSE:  // the window lost its picture and SDL cannot restore it alone
        PresentWholeScreenNext();
        break;
      default: break;
    }
  }
  // sdl12-compat sends no event for a window unmapped without being minimised, but says so here.
  if (hidden || !(SDL_GetAppState() & SDL_APPACTIVE)) game.WindowHidden();
  if (QuitSignalled) game.RequestQuit(0);
}

void RunFrame(TGame& game, Uint32 delayMs, int ticks) {
  for (int tick = 0; tick < ticks; ++tick) {
    PumpEvents(game);
    game.Update();
  }
  if (delayMs > 0) SDL_Delay(delayMs);
  SDL_FillRect(Screen, nullptr, SDL_MapRGB(Screen->format, 0, 0, 0));
  game.Draw();
  PresentScreen(Screen);
}

namespace {

// What the program holds from its start to its end; the controller is used by every frame.
std::optional<TUserFolder> Folder;
std::unique_ptr<THalloween> Controller;
int ExitCode = 0;

// Runs a step of the program. A fatal failure, whatever was thrown, is reported here and makes the
// exit code 1; false then.
template <class Step>
bool Guarded(Step step) {
  try {
    step();
    return true;
  } catch (const Exception& failure) {
    ReportFatal(failure);
  } catch (const std::bad_alloc&) {
    ReportFatal(EOutOfMemory());
  } catch (const std::filesystem::filesystem_error& failure) {  // a throwing form of std::filesystem
    ReportFatal(EInOutError(failure.path1().string(), failure.code()));
  } catch (const std::exception& failure) {
    ReportFatal(EStandardError(failure.what()));
  }
  ExitCode = 1;
  return false;
}

}  // namespace

bool StartProgram() {
  CatchSignals();
  ExitCode = 0;
  return Guarded([] {
    Folder.emplace();
    InitGraphics(ScreenWidth, ScreenHeight, "Game");
    Controller = std::make_unique<THalloween>();
    InitSound();
    Controller->Start();
  });
}

bool ProgramFrame(Uint32 delayMs, int ticks) {
  return Guarded([delayMs, ticks] { RunFrame(*Controller, delayMs, ticks); }) && !Controller->IsQuitRequested();
}

int EndProgram() {
  Controller.reset();
  Folder.reset();
  ShutdownSound();
  SDL_Quit();
  return ExitCode;
}

int RunProgram() {
  if (StartProgram()) {
    while (ProgramFrame(FrameDelayMs)) {
    }
  }
  return EndProgram();
}
