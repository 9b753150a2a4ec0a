// The browser's program entry and frame driver: the same frames as the desktop's loop, at the
// desktop's pace, started by the browser's timer so that the browser runs between them. A hidden
// page runs no frames and sounds nothing: it is told to the game in one last frame (the puzzle pauses
// as in a hidden window), and the pace starts afresh when the page shows again.

#include "shell/BoglingsAndSkitters.h"

#include <emscripten.h>

namespace {

// The desktop's pace: a frame is its 10 ms pause, its own work and the system's lateness in waking
// it, about 0.7 ms together on the machines measured (92 to 95 frames a second).
constexpr double DesktopTickMs = FrameDelayMs + 0.7;
// The ticks of one wake-up of the page, shown in one picture: each wake-up of a page costs the
// browser more than the ticks themselves. After a picture that showed no change (a still menu, the
// puzzle at rest but for its timer bar) the page rests longer, until the player's input wakes it.
// The most one picture may stand for, after the browser held the page back.
constexpr int TicksAWake = 2;
constexpr int TicksAtRest = 4;
constexpr int MostTicksAFrame = 6;

// When the game has ended (the menu's exit entry, or a fatal report shown) the page offers to play
// again instead of a still canvas.
void EndGame() {
  const int exitCode = EndProgram();
  EM_ASM({ Module['gameEnded']($0); }, exitCode);
}

// Each wake-up runs the ticks due since the last at the desktop's pace (a few at most: a page the
// browser held back does not race to catch up) and shows one picture, then sleeps until ticksAWake
// more are due, or ticksAtRest when the picture did not change.
EM_JS(void, DriveFrames, (double tickMs, int mostTicks, int ticksAWake, int ticksAtRest), {
  let last = performance.now();
  let due = 0;
  let request = 0;
  let ended = false;
  let resting = false;
  function frame(ticks) {
    // The presenter counts the pictures that changed.
    const pictures = Module['frames'];
    Module['ticks'] = (Module['ticks'] || 0) + ticks;  // for the page's measurements
    ended = ended || !_PlayFrame(ticks);
    resting = Module['frames'] == pictures;
  }
  function paced() {
    const now = performance.now();
    request = 0;
    due = Math.min(due + (now - last) / tickMs, mostTicks);
    last = now;
    if (due >= 1) frame(Math.floor(due));
    due -= Math.floor(due);
    if (!ended && !document.hidden) request = setTimeout(paced, ((resting ? ticksAtRest : ticksAWake) - due) * tickMs);
  }
  // The player's input (input.js) ends a rest: it is answered within ticksAWake, as in play.
  Module['inputCame'] = function() {
    if (!resting || !request) return;
    resting = false;
    clearTimeout(request);
    request = setTimeout(paced, 0);
  };
  function turned() {
    if (ended) return;
    _PushPageEvent(5, document.hidden ? 0 : 1, 0, 0, 0);
    const audio = Module['audioContext'];
    if (document.hidden && audio) audio.suspend();
    if (!document.hidden && audio) audio.resume();
    clearTimeout(request);
    frame(1);
    resting = false;
    last = performance.now();
    due = 0;
    if (!ended && !document.hidden) request = setTimeout(paced, ticksAWake * tickMs);
  }
  document.addEventListener('visibilitychange', turned);
  request = setTimeout(paced, ticksAWake * tickMs);
});

}  // namespace

// One frame of that many ticks, for the driver; false once the game has ended.
extern "C" EMSCRIPTEN_KEEPALIVE int PlayFrame(int ticks) {
  if (ProgramFrame(0, ticks)) return 1;
  EndGame();
  return 0;
}

// The page calls this after its start tap, which also allows sound.
int main() {
  if (!StartProgram()) {
    EndGame();
    return 1;
  }
  DriveFrames(DesktopTickMs, MostTicksAFrame, TicksAWake, TicksAtRest);
  return 0;
}
