// The browser's program entry and frame driver: the same frames as the desktop's loop, each started by
// the browser's timer the game's pause after the last one ended, so the page keeps the desktop's pace
// and the browser runs between frames. A hidden page runs no frames and sounds nothing: it is told to
// the game in one last frame (the puzzle pauses as in a hidden window), and showing it again goes on.

#include "shell/BoglingsAndSkitters.h"

#include <emscripten.h>

namespace {

// When the game has ended (the menu's exit entry, or a fatal report shown) the page offers to play
// again instead of a still canvas.
void EndGame() {
  const int exitCode = EndProgram();
  EM_ASM({ Module['gameEnded']($0); }, exitCode);
}

EM_JS(void, DriveFrames, (int pauseMs), {
  let timer = 0;
  let ended = false;
  function frame() {
    timer = 0;
    Module['ticks'] = (Module['ticks'] || 0) + 1;  // for the page's measurements
    ended = ended || !_PlayFrame();
    if (!ended && !document.hidden) timer = setTimeout(frame, pauseMs);
  }
  function turned() {
    if (ended) return;
    _PushPageEvent(5, document.hidden ? 0 : 1, 0, 0, 0);
    const audio = Module['audioContext'];
    clearTimeout(timer);
    if (document.hidden && audio) audio.suspend();
    if (!document.hidden && audio) audio.resume();
    frame();
  }
  document.addEventListener('visibilitychange', turned);
  timer = setTimeout(frame, pauseMs);
});

}  // namespace

// One frame, for the driver; false once the game has ended.
extern "C" EMSCRIPTEN_KEEPALIVE int PlayFrame() {
  if (ProgramFrame(0)) return 1;
  EndGame();
  return 0;
}

// The page calls this after its start tap, which also allows sound.
int main() {
  if (!StartProgram()) {
    EndGame();
    return 1;
  }
  DriveFrames(FrameDelayMs);
  return 0;
}
